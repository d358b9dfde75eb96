#pragma once
// The templates and law texts carried inside the program, found by resource
// type ("MODEL", "XLS") and name without regard to case ("Titlu" finds TITLU).

#include <QByteArray>
#include <QString>
#include <optional>

namespace valdora::docs {

// Registers the compiled-in resources. Each look-up below calls it, so a
// program need not; calling it again does nothing.
void initResources();

std::optional<QByteArray> resourceBytes(const QString &name, const QString &type = QStringLiteral("MODEL"));
bool hasResource(const QString &name, const QString &type = QStringLiteral("MODEL"));

// Writes the resource's exact bytes to `path`, replacing the file. A missing
// resource or a failed write throws valdora::Error.
void SaveResource(const QString &name, const QString &type, const QString &path);

} // namespace valdora::docs
