#include "admin/domain/PasswordHash.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

namespace valdora::admin {

QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    mac.addData(salt);
    mac.addData(QByteArray("\x00\x00\x00\x01", 4));
    QByteArray u = mac.result();
    QByteArray out = u;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (int k = 0; k < out.size(); ++k)
            out[k] = char(out[k] ^ u[k]);
    }
    return out;
}

QByteArray PasswordHash::make(const QByteArray &password, const QByteArray &salt)
{
    if (password.isEmpty())
        return {};
    const QByteArray digest = pbkdf2Sha256(password, salt, Iterations);
    QByteArray field(1, Marker);
    field += salt.left(SaltSize);
    field += digest.left(FieldSize - 1 - SaltSize);
    return field;
}

QByteArray PasswordHash::make(const QByteArray &password)
{
    QByteArray salt(SaltSize, '\0');
    for (char &c : salt)
        c = char(QRandomGenerator::system()->bounded(256));
    return make(password, salt);
}

bool PasswordHash::isHashed(const QByteArray &field) { return field.size() == FieldSize && field.at(0) == Marker; }

bool PasswordHash::matches(const QByteArray &field, const QByteArray &typed)
{
    if (!isHashed(field))
        return field == typed;
    if (typed.isEmpty())
        return false;
    const QByteArray expected = make(typed, field.mid(1, SaltSize));
    // Compare every byte so the time does not tell how much matched.
    unsigned char diff = 0;
    for (int i = 0; i < FieldSize; ++i)
        diff |= static_cast<unsigned char>(expected.at(i) ^ field.at(i));
    return diff == 0;
}

} // namespace valdora::admin
