#include "ui/qt_socket.h"

#include <QCoreApplication>
#include <QHostInfo>
#include <QPointer>
#include <QRandomGenerator>
#include <QString>
#include <QThreadPool>
#include <vector>

#include "app/reconnect.h"
#include "ui/latin1.h"

namespace pluvetta {

namespace {

constexpr qint64 kReadBufferBytes = qint64{256} * 1024;

}  // namespace

QtSocket::QtSocket(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
    // A fast peer must not make the socket hold megabytes on our behalf: with the buffer
    // bounded, the rest waits in the kernel (and then at the sender) until we have read.
    socket_->setReadBufferSize(kReadBufferBytes);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        addresses_.clear();
        if (events_.connected) events_.connected();
        emit Connected();
    });
    connect(socket_, &QTcpSocket::readyRead, this, &QtSocket::OnReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &QtSocket::OnError);
    connect(socket_, &QTcpSocket::disconnected, this, &QtSocket::OnDisconnected);
}

void QtSocket::Connect(const std::string& host, std::uint16_t port) {
    if (socket_->state() != QAbstractSocket::UnconnectedState) Close();
    ++generation_;
    if (resolveAfresh_) return LookUp(FromLatin1(host), port);
    // Port 0 is no port: the connect then fails as an event.
    inConnect_ = true;
    socket_->connectToHost(FromLatin1(host), port);
    inConnect_ = false;
}

void QtSocket::Close() {
    ++generation_;
    addresses_.clear();
    closing_ = true;
    socket_->abort();
    closing_ = false;
}

void QtSocket::Send(const std::string& bytes) {
    if (socket_->state() != QAbstractSocket::ConnectedState) return;
    socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSocket::OnReadyRead() {
    std::string bytes;
    while (socket_->bytesAvailable() > 0) {
        const QByteArray chunk = socket_->readAll();
        bytes.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    }
    if (!bytes.empty() && events_.data) events_.data(bytes);
}

void QtSocket::OnError(QAbstractSocket::SocketError error) {
    // The peer closing the connection is no failure; it arrives as `closed` instead.
    if (closing_ || error == QAbstractSocket::RemoteHostClosedError) return;
    // An address that cannot be reached is no failure while the name has others to try.
    if (!addresses_.isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [this, generation = generation_] {
                if (generation == generation_) ConnectNextAddress();
            },
            Qt::QueuedConnection);
        return;
    }
    const std::string description = ToLatin1(socket_->errorString());
    if (inConnect_) {
        // Qt reports some failures from inside connectToHost; the link expects every outcome
        // of a connect after Connect has returned.
        QMetaObject::invokeMethod(
            this,
            [this, description, generation = generation_] {
                if (generation == generation_ && events_.error) events_.error(description);
            },
            Qt::QueuedConnection);
        return;
    }
    if (events_.error) events_.error(description);
}

void QtSocket::OnDisconnected() {
    if (closing_) return;
    if (events_.closed) events_.closed();
    emit Closed();
}

void QtSocket::LookUp(const QString& host, std::uint16_t port) {
    port_ = port;
    QThreadPool::globalInstance()->start([self = QPointer<QtSocket>(this), generation = generation_,
                                          host] {
        // fromName asks the system's resolver each time, where lookupHost may answer from Qt's
        // own cache: a round-robin name must be resolved afresh at every attempt. It blocks,
        // hence the worker thread.
        const QHostInfo info = QHostInfo::fromName(host);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, info] {
                if (!self || self->generation_ != generation) return;
                std::vector<std::string> found;
                for (const QHostAddress& address : info.addresses()) {
                    // cppcheck-suppress useStlAlgorithm
                    found.push_back(address.toString().toStdString());
                }
                const auto random = [] { return QRandomGenerator::global()->generate(); };
                const std::vector<std::string> order = ShuffleAddresses(std::move(found), random);
                for (const std::string& address : order) {
                    self->addresses_ << QHostAddress(QString::fromStdString(address));
                }
                if (!self->ConnectNextAddress() && self->events_.error) {
                    self->events_.error(ToLatin1(info.errorString()));
                }
            },
            Qt::QueuedConnection);
    });
}

bool QtSocket::ConnectNextAddress() {
    if (addresses_.isEmpty()) return false;
    closing_ = true;
    socket_->abort();
    closing_ = false;
    inConnect_ = true;
    socket_->connectToHost(addresses_.takeFirst(), port_);
    inConnect_ = false;
    return true;
}

}  // namespace pluvetta
