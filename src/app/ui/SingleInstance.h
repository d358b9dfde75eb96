#pragma once
// One running copy per user: a lock file says a copy runs, and a local socket
// lets a second start ask the first to come to the front.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace valdora::ui {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key);
    ~SingleInstance() override;

    // True when this is the only copy; otherwise the running copy has been
    // asked to come forward and this one should end.
    bool claim();
    // Called in the running copy when another start asks for it.
    void onActivate(std::function<void()> f) { activate_ = std::move(f); }

private:
    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
    std::function<void()> activate_;
};

} // namespace valdora::ui
