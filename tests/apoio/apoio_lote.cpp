// Waiting and ending processes for the tests' batch scripts, which cmd under wine cannot.
#include <windows.h>
// after windows.h, whose types it uses
#include <tlhelp32.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

int encerrar(const char* nome) {
    HANDLE lista = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (lista == INVALID_HANDLE_VALUE) return 1;
    wchar_t procurado[MAX_PATH] = {};
    MultiByteToWideChar(CP_UTF8, 0, nome, -1, procurado, MAX_PATH);
    PROCESSENTRY32W p{};
    p.dwSize = sizeof p;
    int encerrados = 0;
    for (BOOL ha = Process32FirstW(lista, &p); ha; ha = Process32NextW(lista, &p)) {
        if (_wcsicmp(p.szExeFile, procurado) != 0) continue;
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, p.th32ProcessID)) {
            encerrados += TerminateProcess(h, 9) ? 1 : 0;
            CloseHandle(h);
        }
    }
    CloseHandle(lista);
    return encerrados > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "encerra") == 0) return encerrar(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "espera") == 0) {
        std::this_thread::sleep_for(std::chrono::seconds(std::atoi(argv[2])));
        return 0;
    }
    return 2;
}
