#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "ui/qt_socket.h"

using pluvetta::QtSocket;

// Connects a QtSocket to a real server on loopback and records every event it reports.
class TestQtSocket : public QObject {
    Q_OBJECT

    QTcpServer server_;
    std::unique_ptr<QtSocket> socket_;
    int connected_ = 0;
    std::string received_;
    std::vector<std::string> errors_;
    int closed_ = 0;

    // Connects to the server and returns the server's end of the connection.
    QTcpSocket* ConnectToServer() {
        socket_->Connect("127.0.0.1", static_cast<std::int16_t>(server_.serverPort()));
        if (!QTest::qWaitFor([this] { return server_.hasPendingConnections(); }, 5000)) {
            return nullptr;
        }
        QTcpSocket* peer = server_.nextPendingConnection();
        return QTest::qWaitFor([this] { return connected_ == 1; }, 5000) ? peer : nullptr;
    }

  private slots:
    void init() {
        // Ports are 16-bit signed in the settings, so the server needs one below 32768; the
        // system's own choice would lie above.
        for (quint16 port = 21000; port < 32000 && !server_.isListening(); port += 7) {
            server_.listen(QHostAddress::LocalHost, port);
        }
        QVERIFY(server_.isListening());
        socket_ = std::make_unique<QtSocket>(nullptr);
        connected_ = closed_ = 0;
        received_.clear();
        errors_.clear();
        socket_->SetEvents({[this] { ++connected_; },
                            [this](std::string_view bytes) { received_ += bytes; },
                            [this](const std::string& error) { errors_.push_back(error); },
                            [this] { ++closed_; }});
    }
    void cleanup() {
        socket_.reset();
        server_.close();
    }

    void bytesTravelBothWaysInOrderUntilThePeerCloses() {
        QTcpSocket* peer = ConnectToServer();
        QVERIFY(peer != nullptr);
        // A line that arrives in two pieces.
        peer->write("Q1XYZ-13>APRS:_100905");
        peer->flush();
        QTRY_COMPARE(received_.size(), std::size_t{21});
        peer->write("56c220s004g005t077\xB0\r\n");
        peer->flush();
        QTRY_COMPARE(received_, std::string("Q1XYZ-13>APRS:_10090556c220s004g005t077\xB0\r\n"));

        socket_->Send(std::string("\0\0\0\0m\0", 6));
        QTRY_COMPARE(peer->bytesAvailable(), qint64{6});
        QCOMPARE(peer->readAll(), QByteArray("\0\0\0\0m\0", 6));
        // The peer closing is a close, not an error.
        QCOMPARE(closed_, 0);
        peer->disconnectFromHost();
        QTRY_COMPARE(closed_, 1);
        QCOMPARE(errors_.size(), std::size_t{0});
    }

    void refusedConnectIsReportedAfterConnectReturned_data() {
        QTest::addColumn<int>("port");
        QTest::newRow("port nobody listens on") << -1;
        QTest::newRow("port the settings cannot hold") << -5;
    }
    void refusedConnectIsReportedAfterConnectReturned() {
        QFETCH(int, port);
        if (port == -1) {
            port = server_.serverPort();
            server_.close();
        }
        socket_->Connect("127.0.0.1", static_cast<std::int16_t>(port));
        QCOMPARE(errors_.size(), std::size_t{0});
        QTRY_COMPARE_WITH_TIMEOUT(errors_.size(), std::size_t{1}, 5000);
        QVERIFY(!errors_.front().empty());
        QCOMPARE(connected_, 0);
        QCOMPARE(closed_, 0);
    }

    void closeDropsTheLinkWithoutEvents() {
        socket_->Close();
        QTcpSocket* peer = ConnectToServer();
        QVERIFY(peer != nullptr);
        socket_->Close();
        QCOMPARE(socket_->State(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
        // A connect that is still under way when closed reports nothing either.
        server_.close();
        socket_->Connect("127.0.0.1", 1);
        socket_->Close();
        QTest::qWait(50);
        QCOMPARE(closed_, 0);
        QCOMPARE(errors_.size(), std::size_t{0});
    }
};

QTEST_MAIN(TestQtSocket)
#include "tst_qtsocket.moc"
