#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <functional>
#include <string>
#include <string_view>

#include "links/socket.h"

namespace pluvetta {

// What a link does with its socket's events. Any of them may be left empty.
struct SocketEvents {
    std::function<void()> connected;
    // Everything that was waiting, one byte per character.
    std::function<void(std::string_view bytes)> data;
    std::function<void(const std::string& description)> error;
    // The peer closed the connection.
    std::function<void()> closed;
};

// A `Socket` over QTcpSocket. Never blocks: the outcome of a connect and all traffic arrive as
// events, each handed to the link to its end before the next.
class QtSocket : public QObject, public Socket {
    Q_OBJECT

  public:
    explicit QtSocket(QObject* parent);

    void SetEvents(SocketEvents events) { events_ = std::move(events); }

    void Connect(const std::string& host, std::uint16_t port) override;
    // Drops the connection at once, whatever its state, and reports no event for it.
    void Close() override;
    void Send(const std::string& bytes) override;
    void ResolveOnEveryConnect(bool on) override { resolveAfresh_ = on; }

  signals:
    // The same events for onlookers, each after the link has handled it.
    void Connected();
    void Closed();

  private:
    void OnReadyRead();
    void OnError(QAbstractSocket::SocketError error);
    void OnDisconnected();
    void LookUp(const QString& host, std::uint16_t port);
    // Tries the next address of the last look-up; false when none is left.
    bool ConnectNextAddress();

    QTcpSocket* socket_;
    SocketEvents events_;
    bool closing_ = false;
    bool inConnect_ = false;
    // Counts connects and closes, so that an error held back for later can tell whether the
    // connection it belongs to is still the current one.
    unsigned generation_ = 0;
    bool resolveAfresh_ = false;
    // With resolveAfresh_: the addresses not yet tried, in the order to try them.
    QList<QHostAddress> addresses_;
    std::uint16_t port_ = 0;
};

}  // namespace pluvetta
