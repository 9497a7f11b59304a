#pragma once

// The check before a run: the jobs a print would send, read back as the
// printer would read them, without sending anything.

#include <cstddef>
#include <optional>
#include <string>

#include "app/SessaoImpressao.h"

namespace etiquetas {

// "A verificação das etiquetas encontrou 2 erros e 1 aviso."
std::string resumoVerificacao(const ResultadoVerificacao& r);
// "ERRO Linha 3 (...)": one finding on one line.
std::string linhaAchado(const Achado& a);
// The summary and the first `linhas` findings, one a line, then how many more.
std::string textoVerificacao(const ResultadoVerificacao& r, std::size_t linhas);

// None when the command refuses or a routine fails (said why).
std::optional<ResultadoVerificacao> verificarPedido(SessaoImpressao& sessao,
                                                    const PedidoImpressao& pedido,
                                                    Acompanhamento& acompanhamento);

// Whether a print goes on after its check (the client is asked about what
// was found).
bool aprovadoNaVerificacao(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                           const FamiliaEtiqueta& familia, Acompanhamento& acompanhamento);

}  // namespace etiquetas
