// A small HTTP server on 127.0.0.1 that answers every GET with a tiny page and records the
// request paths in the order it received them.
#pragma once
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    bool Running() const { return m_listen != ~0ull; }
    unsigned short Port() const { return m_port; }
    std::string Url(const std::string& path) const;
    std::vector<std::string> Requests();

private:
    void Serve();
    unsigned long long m_listen = ~0ull;
    unsigned short m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_requests;
};
