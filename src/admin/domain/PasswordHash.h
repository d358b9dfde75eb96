#pragma once
// Passwords of the user file are kept as a salted slow hash that fits the
// 32 bytes of the record's password field. A hashed field starts with a byte
// no typed password can hold, so records of older installations (plain text)
// are still told apart and can be upgraded at their next login.

#include <QByteArray>

namespace valdora::admin {

struct PasswordHash {
    static constexpr int FieldSize = 32;
    static constexpr char Marker = '\x01';
    static constexpr int SaltSize = 12;
    static constexpr int Iterations = 40000;

    // The field for a typed password (its bytes as stored, upper case, code
    // page 1250). An empty password stays empty: "no password".
    static QByteArray make(const QByteArray &password, const QByteArray &salt);
    static QByteArray make(const QByteArray &password); // with a fresh random salt

    static bool isHashed(const QByteArray &field);
    // True when the typed password matches the field, hashed or plain.
    static bool matches(const QByteArray &field, const QByteArray &typed);
};

// PBKDF2 with HMAC-SHA256, one output block (32 bytes).
QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations);

} // namespace valdora::admin
