#include "LoopbackHttpServer.h"
#include <winsock2.h>
#include <ws2tcpip.h>

LoopbackHttpServer::LoopbackHttpServer()
{
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    int len = sizeof(addr);
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
        listen(s, 16) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        if (s != INVALID_SOCKET)
            closesocket(s);
        return;
    }
    m_listen = s;
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    if (Running())
        closesocket(static_cast<SOCKET>(m_listen));
    if (m_thread.joinable())
        m_thread.join();
    WSACleanup();
}

std::string LoopbackHttpServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::vector<std::string> LoopbackHttpServer::Requests()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void LoopbackHttpServer::Serve()
{
    for (;;) {
        SOCKET c = accept(static_cast<SOCKET>(m_listen), nullptr, nullptr);
        if (c == INVALID_SOCKET)
            return;  // closed by the destructor
        std::string request;
        char buf[2048];
        DWORD timeout = 5000;
        setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
        while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            int n = recv(c, buf, sizeof(buf), 0);
            if (n <= 0)
                break;
            request.append(buf, static_cast<size_t>(n));
        }
        // "GET /path HTTP/1.1"
        size_t sp1 = request.find(' '), sp2 = request.find(' ', sp1 + 1);
        if (sp1 != std::string::npos && sp2 != std::string::npos) {
            std::string path = request.substr(sp1 + 1, sp2 - sp1 - 1);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(path);
            }
            std::string body = "<html><head><title>" + path + "</title></head><body>" + path + "</body></html>";
            std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            send(c, reply.data(), static_cast<int>(reply.size()), 0);
        }
        shutdown(c, SD_BOTH);
        closesocket(c);
    }
}
