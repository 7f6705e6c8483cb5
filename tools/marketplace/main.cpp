// vq-marketplace: runs the stand-in marketplace until SIGINT or SIGTERM.
//   vq-marketplace [--http-port N] [--https-port N] [--endpoints-out FILE]
//                  [--certificate-out FILE] [--fixtures DIR]
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "marketplace.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

bool parsePort(const char* text, int& port)
{
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used != std::strlen(text) || value < 0 || value > 65535)
            return false;
        port = value;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool writeText(const std::string& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

int usage()
{
    std::cerr << "usage: vq-marketplace [--http-port N] [--https-port N] [--endpoints-out FILE]\n"
                 "                      [--certificate-out FILE] [--fixtures DIR]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    vq::market::Marketplace::Settings settings;
    std::string endpointsOut;
    std::string certificateOut;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return usage();
        const char* value = argv[++i];
        if (option == "--http-port") {
            if (!parsePort(value, settings.httpPort))
                return usage();
        } else if (option == "--https-port") {
            if (!parsePort(value, settings.httpsPort))
                return usage();
        } else if (option == "--endpoints-out") {
            endpointsOut = value;
        } else if (option == "--certificate-out") {
            certificateOut = value;
        } else if (option == "--fixtures") {
            settings.fixtureRoot = value;
        } else {
            return usage();
        }
    }

    vq::market::Marketplace marketplace(settings);
    std::string error;
    if (!marketplace.start(error)) {
        std::cerr << "vq-marketplace: " << error << "\n";
        return 1;
    }
    if (!endpointsOut.empty() && !writeText(endpointsOut, marketplace.endpointsIni())) {
        std::cerr << "vq-marketplace: cannot write " << endpointsOut << "\n";
        return 1;
    }
    if (!certificateOut.empty()) {
        std::ifstream in(marketplace.certificateFile(), std::ios::binary);
        std::string pem((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!writeText(certificateOut, pem)) {
            std::cerr << "vq-marketplace: cannot write " << certificateOut << "\n";
            return 1;
        }
    }
    std::cout << "http 127.0.0.1:" << marketplace.httpPort() << "\n"
              << "https 127.0.0.1:" << marketplace.httpsPort() << "\n"
              << "certificate " << marketplace.certificateFile().string() << std::endl;

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    while (!g_stop)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    marketplace.stop();
    return 0;
}
