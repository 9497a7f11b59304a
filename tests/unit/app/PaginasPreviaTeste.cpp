#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PaginasPrevia.h"

using namespace etiquetas;

namespace {

// The text of the label's first field: its number in the run.
std::string primeiroTexto(const zpl::Etiqueta& e) {
    for (const auto& op : e.operacoes)
        if (const auto* t = std::get_if<zpl::OpTexto>(&op)) return t->texto;
    return "";
}

}  // namespace

// Any page of a long run is read again from disk as the printer would make it.
TEST(PaginasPrevia, QualquerPaginaDeUmaExecucaoLonga) {
    struct Caso {
        const char* linguagem;
        std::string inicio;
        std::string (*etiqueta)(int numero, int copias);
    };
    const std::vector<Caso> casos{
        {"ZPL", "~DGR:LOGO.GRF,4,2,FF00F0F0\r\n",
         [](int n, int copias) {
             return "^XA^PQ" + std::to_string(copias) + "^FO1,1^A0N,20^FD" + std::to_string(n) +
                    "^FS^FO1,40^XGR:LOGO.GRF^FS^XZ\r\n";
         }},
        {"DPL", "\x02n\r\n", [](int n, int copias) {
             return "\x02L\r\nD11\r\n121100000100010" + std::to_string(n) + "\r\nQ" +
                    std::to_string(copias) + "\r\nE\r\n";
         }}};
    constexpr int kEtiquetas = 200;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linguagem);
        PaginasPrevia paginas;
        paginas.enviar({TipoTrabalho::Etiqueta, "SpoolEtq.PRN", c.inicio, 0, {}});
        for (int n = 1; n <= kEtiquetas; ++n)
            paginas.enviar(
                {TipoTrabalho::Etiqueta, "SpoolEtq.PRN", c.etiqueta(n, n == 130 ? 5 : 1), 1, {}});
        paginas.terminar();
        ASSERT_EQ(paginas.total(), kEtiquetas);
        for (int pagina : {63, 64, 65, 129, 199, 0, 128}) {
            while (paginas.atual() < pagina) paginas.proxima();
            while (paginas.atual() > pagina) paginas.anterior();
            const auto& e = paginas.etiquetaAtual();
            EXPECT_EQ(primeiroTexto(e), std::to_string(pagina + 1)) << pagina;
            const std::string titulo = "Etiqueta " + std::to_string(pagina + 1) + " de 200";
            EXPECT_EQ(paginas.titulo(), pagina == 129 ? titulo + " (5 cópias)" : titulo);
            if (c.inicio.starts_with("~DG")) {
                EXPECT_EQ(e.operacoes.size(), 2u) << pagina;
            }
        }
        EXPECT_TRUE(paginas.avisos().empty());
    }
}
