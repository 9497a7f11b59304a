#pragma once

// The test page and "Carregar Fonte Zebra": what goes to a printer without
// an order of the user's.

#include <filesystem>

#include "app/SessaoImpressao.h"

namespace etiquetas {

// The test order file of option 1 to 4.
std::filesystem::path arquivoTeste(const SessaoImpressao& sessao, int opcao);
// The test page of a request made from a test order file with every row
// ticked.
DesfechoImpressao imprimirTeste(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                                Acompanhamento& acompanhamento);
// The graphic, then the font.
DesfechoImpressao carregarFonte(SessaoImpressao& sessao, const PedidoImpressao& pedido,
                                Acompanhamento& acompanhamento);

}  // namespace etiquetas
