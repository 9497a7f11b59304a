#include "dpl/Spool.h"

#include <algorithm>
#include <cctype>

#include "dpl/Interpretador.h"
#include "zpl/Interpretador.h"

namespace etiquetas::dpl {

namespace {

std::size_t inicioZpl(std::string_view spool) {
    for (std::size_t i = spool.find('^'); i != std::string_view::npos; i = spool.find('^', i + 1))
        if (i + 2 < spool.size() && std::toupper(static_cast<unsigned char>(spool[i + 1])) == 'X' &&
            std::toupper(static_cast<unsigned char>(spool[i + 2])) == 'A')
            return i;
    return std::string_view::npos;
}

}  // namespace

bool ehDpl(std::string_view spool) {
    const std::size_t stx = spool.find('\x02');
    return stx != std::string_view::npos && stx < inicioZpl(spool);
}

zpl::Interpretacao interpretarSpool(std::string_view spool, int dpmm) {
    return ehDpl(spool) ? interpretar(spool, dpmm) : zpl::interpretar(spool, dpmm);
}

}  // namespace etiquetas::dpl
