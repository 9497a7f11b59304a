#pragma once

// What a label type's TXT export writes: its record, the file name's stem
// and the label type code the price record carries. The family table names
// it, the export writes it.

#include <string>

namespace etiquetas {

enum class RegistroTxt { Nenhum, Preco, VolumeReposicao, VolumePadrao };
struct ExportacaoTxt {
    RegistroTxt registro = RegistroTxt::Nenhum;
    std::string prefixo;
    int tipo = 0;
};

}  // namespace etiquetas
