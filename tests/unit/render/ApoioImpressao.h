#pragma once

// What the printing tests share: a job, a ready serial port, a folder, a price grid.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../config/PastaTeste.h"
#include "app/ColunasGrades.h"
#include "app/Grade.h"
#include "comum/Arquivos.h"
#include "output/Despacho.h"
#include "platform/headless/PlataformaHeadless.h"
#include "render/ExecucaoImpressao.h"

namespace etiquetas::teste {

using Textos = std::vector<std::string>;

// The printer job of a Zebra on LPT1, speed 4, temperature 8.
inline ParametrosImpressao parametrosZebra() {
    ParametrosImpressao p;
    p.impressora = "ZEBRA, 2";
    p.fabricante = "ZEBRA";
    p.linguagem = Linguagem::Zebra;
    p.velocidade = "4";
    p.temperatura = "8";
    p.porta = p.destino = "LPT1";
    p.serial = {"9600", "N", "8", "1"};
    return p;
}

struct ProgressoGravado : ProgressoImpressao {
    Textos status;
    void mostrarStatus(const std::string& t) override { status.push_back(t); }
};

class PortaFalsa : public PortaSerial {
  public:
    Textos aberturas;
    bool aberta_ = false;
    bool abrir(const std::string& d, const std::string& c) override {
        aberturas.push_back(d + " " + c);
        return aberta_ = true;
    }
    void fechar() override { aberta_ = false; }
    bool aberta() const override { return aberta_; }
    bool escrever(const std::string& bytes) override { return aberta_ && (pergunta(bytes), true); }
    long long bytesPendentes() override { return 0; }
    void aguardarEnvio(int) override {}
    std::string ultimoErro() const override { return {}; }
    std::string ler(int) override { return std::exchange(resposta_, {}); }

  protected:
    // A status question gets a ready printer's answer; false for anything else.
    bool pergunta(const std::string& bytes) {
        if (bytes == "~HQES~HS")
            resposta_ =
                "\x02"
                "030,0,0,1245,000,0,0,0,000,0,0,0\x03\r\n"
                "\x02"
                "000,0,0,0,0,2,4,0,00000000,1,000\x03\r\n"
                "\x02"
                "1234,0\x03\r\n";
        else if (bytes ==
                 "\x01"
                 "A\x01"
                 "E")
            resposta_ = "NNNNNNNN\r00000\r";
        else
            return false;
        return true;
    }
    std::string resposta_;
};

// A throw-away folder with the path spelled out and the shipped data at hand.
struct PastaTemporaria : PastaTeste {
    const std::filesystem::path& caminho() const { return *this; }
    void copiarDados(const std::string& nome) const {
        std::filesystem::copy_file(std::filesystem::path(ETIQUETAS_DADOS_FONTE) / nome,
                                   caminho() / nome,
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

// A price row with every column the cartolina family reads.
struct LinhaPreco {
    std::string marcada = "1", fornecedor = "CONFECCOES EXEMPLO LTDA", descricao = "BLUSA MALHA";
    std::string tamanho = "M", variante = "000123", pedido = "4512", item = "10", digito = "5";
    std::string catalogo = "A", dataEntrega = "20261231", depto = "42", coordenado = "C";
    std::string tendencia = "X", valeAPena = "VALE A PENA", promocao, preco = "9,99";
    std::string grade = "PMG", primeira = "1", ultima = "2", materialForn = "REF77";
    std::string bureau = "00042", cor = "AZUL", familia, estrColecao = "EC1", estacao = "VERAO";
};

inline void preencher(Grade& g, int l, const LinhaPreco& p) {
    const std::vector<std::pair<int, std::string>> celulas{
        {1, p.marcada},    {2, p.fornecedor},   {3, p.descricao}, {4, p.tamanho},
        {5, p.variante},   {6, p.pedido},       {7, p.item},      {10, p.digito},
        {11, p.catalogo},  {12, p.dataEntrega}, {13, p.depto},    {15, p.coordenado},
        {16, p.tendencia}, {18, p.valeAPena},   {20, p.promocao}, {21, p.preco},
        {22, p.grade},     {23, p.primeira},    {24, p.ultima},   {26, p.materialForn},
        {27, p.bureau},    {28, p.primeira},    {29, p.ultima},   {34, p.cor},
        {38, p.familia},   {39, p.estrColecao}, {40, p.estacao}};
    for (const auto& [c, t] : celulas) g.definirTexto(l, c, t);
}

inline Grade gradePreco(const std::vector<LinhaPreco>& linhas) {
    Grade g("sprPedidos", colunasPedidosPreco());
    g.definirLinhas(static_cast<int>(linhas.size()));
    for (std::size_t i = 0; i < linhas.size(); ++i)
        preencher(g, static_cast<int>(i) + 1, linhas[i]);
    return g;
}

inline std::size_t contar(const std::string& texto, const std::string& parte) {
    std::size_t n = 0;
    for (auto p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1)) ++n;
    return n;
}

}  // namespace etiquetas::teste
