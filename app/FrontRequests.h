#pragma once

#include <QObject>

#include <memory>

// A later start's request that the copy running on a store bring its window to the front. The
// channel lives beside the store and reaches only a copy that listens on it, as a local socket
// would; each platform has its own, chosen by CMake.
class FrontRequests : public QObject
{
    Q_OBJECT

public:
    explicit FrontRequests(const QString &storePath, QObject *parent = nullptr);
    ~FrontRequests() override;

    // The running copy's side, until the object goes. Answers whether it could listen.
    bool Listen();
    // A later start's side. Answers whether a copy listens and has the request.
    bool Ask() const;

signals:
    void Received();

private:
    struct Channel;
    std::unique_ptr<Channel> channel;
    QString address;
};
