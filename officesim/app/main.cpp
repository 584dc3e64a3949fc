// officesim: the office web service, Centrex host and telephone line on loopback, for the
// client to run against without a real office.
#include "officesim/server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("officesim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stand-in office service for Tandrivox"));
    parser.addHelpOption();
    const QCommandLineOption dbOpt(QStringLiteral("db"), QStringLiteral("SQLite file"),
                                   QStringLiteral("path"));
    const QCommandLineOption certOpt(QStringLiteral("certs"), QStringLiteral("certificate folder"),
                                     QStringLiteral("dir"), officesim::Server::defaultCertDir());
    const QCommandLineOption httpOpt(QStringLiteral("http-port"), QStringLiteral("HTTP port"),
                                     QStringLiteral("port"), QStringLiteral("18080"));
    const QCommandLineOption httpsOpt(QStringLiteral("https-port"), QStringLiteral("HTTPS port"),
                                      QStringLiteral("port"), QStringLiteral("18443"));
    const QCommandLineOption lineOpt(QStringLiteral("line-port"), QStringLiteral("line port"),
                                     QStringLiteral("port"), QStringLiteral("18090"));
    const QCommandLineOption customersOpt(QStringLiteral("customers"),
                                          QStringLiteral("demo customers on first start"),
                                          QStringLiteral("n"), QStringLiteral("300"));
    const QCommandLineOption emptyOpt(QStringLiteral("empty"),
                                      QStringLiteral("start without the demo office"));
    parser.addOptions({dbOpt, certOpt, httpOpt, httpsOpt, lineOpt, customersOpt, emptyOpt});
    parser.process(app);

    officesim::Options options;
    options.dbPath =
        parser.isSet(dbOpt)
            ? parser.value(dbOpt)
            : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("officesim.db"));
    options.certDir = parser.value(certOpt);
    options.httpPort = parser.value(httpOpt).toUShort();
    options.httpsPort = parser.value(httpsOpt).toUShort();
    options.linePort = parser.value(lineOpt).toUShort();
    options.customers = parser.value(customersOpt).toInt();
    options.demo = !parser.isSet(emptyOpt);

    officesim::Server server;
    QString error;
    if (!server.start(options, &error)) {
        std::fprintf(stderr, "officesim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("officesim: http://127.0.0.1:%u https://127.0.0.1:%u line 127.0.0.1:%u db %s\n",
                server.httpPort(), server.httpsPort(), server.linePort(),
                qPrintable(options.dbPath));
    std::fflush(stdout);
    return app.exec();
}
