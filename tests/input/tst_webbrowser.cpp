#include "VxEditControls.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// The web page view: documents, local files and pages over http from a local server.
namespace {

// Answers every request with Response (then closes the connection).
class TOneShotServer : public QTcpServer {
public:
    explicit TOneShotServer(QByteArray Response) : FResponse(std::move(Response))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    socket->write(FResponse);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/page").arg(serverPort()); }

private:
    QByteArray FResponse;
};

QByteArray HttpResponse(const QByteArray& Type, const QByteArray& Body)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: " + Type + "\r\nContent-Length: " + QByteArray::number(Body.size()) +
           "\r\nConnection: close\r\n\r\n" + Body;
}

} // namespace

class tst_WebBrowser : public QObject {
    Q_OBJECT
private slots:
    void documentAndBlank();
    void localFile();
    void httpPage_data();
    void httpPage();
    void unreachable();
};

void tst_WebBrowser::documentAndBlank()
{
    TWebBrowser browser;
    QCOMPARE(browser.ReadyState(), int(TWebBrowser::READYSTATE_UNINITIALIZED));
    browser.LoadHTMLDocument({"<h1>Title</h1>", "<p>Body &amp; more</p>"});
    QCOMPARE(browser.ReadyState(), int(TWebBrowser::READYSTATE_COMPLETE));
    QCOMPARE(browser.toPlainText(), QStringLiteral("Title\nBody & more"));
    browser.Navigate(QStringLiteral("about:blank"));
    QCOMPARE(browser.toPlainText(), QString());
}

void tst_WebBrowser::localFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("page.html")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>From a file</p></body></html>");
    file.close();
    TWebBrowser browser;
    browser.Navigate(QUrl::fromLocalFile(file.fileName()).toString());
    QCOMPARE(browser.toPlainText(), QStringLiteral("From a file"));
    // A file that is not there: a message in the view, no failure.
    browser.Navigate(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing.html"))).toString());
    QVERIFY(browser.toPlainText().contains(QLatin1String("cannot be read")));
}

void tst_WebBrowser::httpPage_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("shown");
    QTest::newRow("html") << QByteArray("text/html; charset=utf-8") << QByteArray("<p>Fetched <b>page</b></p>")
                          << "Fetched page";
    QTest::newRow("plain text stays text") << QByteArray("text/plain") << QByteArray("<p>not markup</p>")
                                           << "<p>not markup</p>";
}

void tst_WebBrowser::httpPage()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, body);
    QFETCH(QString, shown);
    TOneShotServer server(HttpResponse(type, body));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    TWebBrowser browser;
    browser.Navigate(server.Url());
    QCOMPARE(browser.ReadyState(), int(TWebBrowser::READYSTATE_LOADING));
    QTRY_COMPARE(browser.ReadyState(), int(TWebBrowser::READYSTATE_COMPLETE));
    QCOMPARE(browser.toPlainText(), shown);
    QCOMPARE(browser.LocationURL(), server.Url());
}

void tst_WebBrowser::unreachable()
{
    // A port nobody listens on: the view says why, the dialog goes on.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    TWebBrowser browser;
    browser.Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    QTRY_COMPARE(browser.ReadyState(), int(TWebBrowser::READYSTATE_COMPLETE));
    QVERIFY(browser.toPlainText().contains(QLatin1String("cannot be shown")));
    // Another address replaces a page still loading.
    TOneShotServer server(HttpResponse("text/html", "<p>second</p>"));
    QVERIFY(server.listen(QHostAddress::LocalHost));
    browser.Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    browser.Navigate(server.Url());
    QTRY_COMPARE(browser.toPlainText(), QStringLiteral("second"));
}

QTEST_MAIN(tst_WebBrowser)
#include "tst_webbrowser.moc"
