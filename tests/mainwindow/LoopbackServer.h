#pragma once
// One small web server on 127.0.0.1 serving a folder, started on first use
// and shared by every test of the program (starting one costs about half a
// second). Its request log goes nowhere.
#include <QProcess>
#include <QString>

#include <memory>
#include <string>

class LoopbackServer {
public:
    // Starts python3's http.server on a free port in the given folder.
    explicit LoopbackServer(const std::string& folder) {
        process_.setWorkingDirectory(QString::fromStdString(folder));
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start("python3", {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1"});
        if (!process_.waitForStarted(5000)) return;
        // "Serving HTTP on 127.0.0.1 port 40123 (http://127.0.0.1:40123/) ..."
        QByteArray line;
        while (!line.contains('\n') && process_.waitForReadyRead(5000)) line += process_.readAllStandardOutput();
        const int at = line.indexOf(" port ");
        if (at >= 0) port_ = line.mid(at + 6).split(' ').first().toInt();
    }
    ~LoopbackServer() {
        process_.kill();
        process_.waitForFinished(2000);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool running() const { return port_ > 0; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/" + path;
    }

private:
    QProcess process_;
    int port_ = 0;
};
