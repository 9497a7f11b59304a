// The printing service driven with requests alone: no window model.

#include <gtest/gtest.h>

#include "../render/ApoioImpressao.h"
#include "app/ServicoImpressao.h"
#include "config/ArquivosIni.h"

using namespace etiquetas;
using namespace etiquetas::teste;

namespace {

OpcoesImpressora opcoes(std::optional<int> impressora, std::optional<std::string> rede = {}) {
    OpcoesImpressora o;
    o.impressora = impressora;
    if (rede) {
        o.porta = "LPT2";
        o.rede = rede;
    }
    return o;
}

struct Servico {
    PastaTemporaria pasta;
    PlataformaHeadless plataforma;
    Servico() {
        for (const auto& e : std::filesystem::directory_iterator(ETIQUETAS_DADOS_FONTE))
            if (e.is_regular_file()) pasta.copiarDados(e.path().filename().string());
    }
    ImpressoraEscolhida impressora(const OpcoesImpressora& o = opcoes(1)) {
        return *escolherImpressora(pasta.caminho(), o).escolha;
    }
};

}  // namespace

// The command line's printer options settle over the saved choice as the lists would.
TEST(ServicoImpressao, EscolhaDaImpressoraSobreOSalvo) {
    struct Caso {
        std::string salvo;
        OpcoesImpressora opcoes;
        std::string linha, modelo, velocidade, destino;
    };
    const std::vector<Caso> casos{
        {"", opcoes({}), "DATAMAX,1,DPL", "E-4205", "4", "LPT1"},
        {"Impressora=ZEBRA,2,ZPL\r\nModelo=ZT230\r\nVelocidade=5\r\n", opcoes({}), "ZEBRA,2,ZPL",
         "ZT230", "5", "LPT1"},
        {"Impressora=ZEBRA,2,ZPL\r\nModelo=ZT230\r\nVelocidade=5\r\n", opcoes(0), "DATAMAX,1,DPL",
         "E-4205", "4", "LPT1"},
        {"Impressora=OKIDATA,9,XYZ\r\nModelo=NENHUM\r\n", opcoes({}, "\\\\srv\\zebra"),
         "DATAMAX,1,DPL", "E-4205", "4", "\\\\srv\\zebra"}};
    for (const auto& c : casos) {
        Servico s;
        s.pasta.gravar("QuelmonteConfig.ini", "[ConfigPess]\r\n" + c.salvo);
        const auto e = s.impressora(c.opcoes);
        EXPECT_EQ(std::tie(e.linha, e.modelo, e.velocidade, e.destino),
                  std::tie(c.linha, c.modelo, c.velocidade, c.destino))
            << c.salvo;
    }
    Servico s;
    const auto fora = escolherImpressora(s.pasta.caminho(), opcoes(4));
    EXPECT_EQ(std::pair(fora.escolha.has_value(), fora.impressoras), std::pair(false, 4));
}

// Each printer line keeps its resolution; the command line's wins.
TEST(ServicoImpressao, ResolucaoGuardadaPorImpressora) {
    Servico s;
    s.pasta.gravar("QuelmonteConfig.ini",
                   "[ResolucaoImpressora]\r\nZEBRA,2,ZPL=300\r\nDATAMAX,1,DPL=250\r\n");
    const auto dpi = [&](OpcoesImpressora o, std::optional<int> pedida = {}) {
        o.resolucao = pedida;
        return s.impressora(o).resolucao;
    };
    EXPECT_EQ(std::tuple(dpi(opcoes(1)), dpi(opcoes(0)), dpi(opcoes(0), 600)),
              std::tuple(300, 203, 600));
    ImpressoraEscolhida zebra = s.impressora(opcoes(1));
    zebra.resolucao = 600;
    ASSERT_TRUE(salvarEscolhaPessoal(s.pasta.caminho(), zebra));
    EXPECT_EQ(std::tuple(dpi(opcoes(1)), dpi(opcoes(0))), std::tuple(600, 203));
    EXPECT_NE(s.pasta.ler("QuelmonteConfig.ini").find("DATAMAX,1,DPL=250"), std::string::npos);
}
