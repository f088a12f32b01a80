#include "app/IdIPWatch.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

using namespace qx;

QX_DEFINE_CLASS(TIdIPWatch, TComponent, b) {
    b.Boolean(L"Active", &TIdIPWatch::Active, &TIdIPWatch::SetActive);
    b.String(L"HistoryFilename", &TIdIPWatch::HistoryFilename, &TIdIPWatch::SetHistoryFilename);
    b.Creatable();
}

TIdIPWatch::TIdIPWatch(TComponent* owner) : TComponent(owner) {}

TIdIPWatch::~TIdIPWatch() {
    if (FHistoryFilename.empty()) return;
    // The history is empty (the watcher never ran): an empty file, created or overwritten.
    HANDLE file = ::CreateFileW(FHistoryFilename.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

std::string TIdIPWatch::LocalIP() const {
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return {};
    std::string result;
    char host[256] = {};
    if (::gethostname(host, sizeof(host)) == 0) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        addrinfo* list = nullptr;
        if (::getaddrinfo(host, nullptr, &hints, &list) == 0) {
            for (addrinfo* a = list; a; a = a->ai_next) {
                if (a->ai_family != AF_INET) continue;
                char text[INET_ADDRSTRLEN] = {};
                auto* sin = reinterpret_cast<sockaddr_in*>(a->ai_addr);
                if (::inet_ntop(AF_INET, &sin->sin_addr, text, sizeof(text))) {
                    result = text;
                    break;
                }
            }
            ::freeaddrinfo(list);
        }
    }
    ::WSACleanup();
    return result;
}
