#include "platform/sistema/Win32Texto.h"

#include <windows.h>

namespace etiquetas::win32 {

namespace {
constexpr UINT kCp1252 = 1252;

std::wstring paraLarga(UINT paginaCodigo, const std::string& texto) {
    if (texto.empty()) return {};
    const int n = MultiByteToWideChar(paginaCodigo, 0, texto.data(), static_cast<int>(texto.size()),
                                      nullptr, 0);
    std::wstring saida(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(paginaCodigo, 0, texto.data(), static_cast<int>(texto.size()), saida.data(),
                        n);
    return saida;
}
}  // namespace

std::wstring larga(const std::string& cp1252) {
    return paraLarga(kCp1252, cp1252);
}

std::wstring largaDeUtf8(const std::string& utf8) {
    return paraLarga(CP_UTF8, utf8);
}

std::string estreita(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    const int tamanho = static_cast<int>(utf16.size());
    const int n = WideCharToMultiByte(kCp1252, 0, utf16.data(), tamanho, nullptr, 0, "?", nullptr);
    std::string saida(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(kCp1252, 0, utf16.data(), tamanho, saida.data(), n, "?", nullptr);
    return saida;
}

std::string oemParaCp1252(const std::string& oem) {
    return estreita(paraLarga(GetOEMCP(), oem));
}

std::string descricaoErro(unsigned long codigo) {
    wchar_t* texto = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, codigo, 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
    std::wstring descricao(texto ? texto : L"", n);
    if (texto) LocalFree(texto);
    while (!descricao.empty() &&
           (descricao.back() == L'\n' || descricao.back() == L'\r' || descricao.back() == L' '))
        descricao.pop_back();
    if (descricao.empty()) return "Erro " + std::to_string(codigo);
    return estreita(descricao);
}

}  // namespace etiquetas::win32
