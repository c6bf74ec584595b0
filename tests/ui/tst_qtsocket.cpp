#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <string>

#include "app/station_settings.h"
#include "ui/qt_socket.h"

class TestQtSocket : public QObject {
    Q_OBJECT

    QTcpServer server_;
    std::unique_ptr<pluvetta::QtSocket> socket_;
    QStringList events_;  // "connected", "closed" and "error: " with the description

  private slots:
    void init() {
        server_.close();
        QVERIFY(server_.listen(QHostAddress::LocalHost, 0));
        events_.clear();
        socket_ = std::make_unique<pluvetta::QtSocket>(nullptr);
        socket_->SetEvents(
            {[this] { events_ << "connected"; },
             {},
             [this](const std::string& e) { events_ << "error: " + QString::fromStdString(e); },
             [this] { events_ << "closed"; }});
    }

    // A refused connect fails later; TCP to a multicast address fails inside connectToHost,
    // before anything is sent. Either way the error comes after Connect has returned.
    void failedConnectIsAnErrorAfterConnectReturned() {
        const std::pair<std::string, std::uint16_t> targets[] = {
            {"127.0.0.1", server_.serverPort()}, {"224.0.0.1", 80}};
        server_.close();
        for (const auto& [host, port] : targets) {
            events_.clear();
            socket_->Connect(host, port);
            QCOMPARE(events_, QStringList());
            QTRY_COMPARE_WITH_TIMEOUT(events_.size(), 1, 5000);
            QVERIFY2(events_[0].startsWith("error: ") && events_[0].size() > 7,
                     qPrintable(events_[0]));
        }
    }

    void closeDropsTheLinkWithoutEvents() {
        socket_->Connect("127.0.0.1", server_.serverPort());
        QTRY_VERIFY(server_.hasPendingConnections() && events_.contains("connected"));
        QTcpSocket* peer = server_.nextPendingConnection();
        socket_->Close();
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
        // A connect whose failure is still on its way when it is closed reports nothing either.
        socket_->Connect("224.0.0.1", 80);
        socket_->Close();
        QTest::qWait(50);
        QCOMPARE(events_, QStringList{"connected"});
    }

    // The address that the core makes of the bracketed form a user types.
    void connectsToAnIpv6AddressTypedInBrackets() {
        QTcpServer server6;
        if (!server6.listen(QHostAddress::LocalHostIPv6, 0)) QSKIP("no IPv6 loopback");
        socket_->Connect(pluvetta::SocketHostName("[::1]"), server6.serverPort());
        QTRY_COMPARE(events_, QStringList{"connected"});
    }
};

QTEST_MAIN(TestQtSocket)
#include "tst_qtsocket.moc"
