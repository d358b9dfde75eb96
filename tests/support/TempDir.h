#pragma once
#include <QString>
#include <QTemporaryDir>

namespace valdora::test {

// A fresh folder for one test, removed afterwards.
class TempDir {
public:
    TempDir();
    const QString &path() const { return path_; }
    QString file(const QString &name) const { return path_ + u'/' + name; }

private:
    QTemporaryDir dir_;
    QString path_;
};

// Writes bytes to a file, creating folders; returns the path.
QString writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace valdora::test
