#pragma once
// The user file s.mpg: fixed 100-byte records, no header. Strings are a
// length byte (0..32) and 32 bytes of text in code page 1250.
//   0  name (33)   33 password (33)   66 grade (1)   67 identity card (33)

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace valdora::admin {

enum class Grade : unsigned char { Admin = 0, RoleOperator = 1, Cashier = 2, Unknown = 3 };
QString gradeText(Grade g);           // "ADMIN", "OPERATOR DE ROL", "CASIER", "NECUNOSCUT"
Grade gradeFromText(const QString &); // NECUNOSCUT for any other text

struct UserRecord {
    QString name;
    QByteArray password; // the stored field: empty, plain text (older files) or a hash
    Grade grade = Grade::Unknown;
    QString identityCard;
};

class UserFile {
public:
    static constexpr int RecordSize = 100;

    explicit UserFile(QString path) : path_(std::move(path)) {}
    const QString &path() const { return path_; }
    bool exists() const;

    // Creates the file with the single ADMIN account (password "952").
    void createWithAdmin();
    std::vector<UserRecord> readAll() const; // throws valdora::Error when unreadable
    void writeAll(const std::vector<UserRecord> &records);

    // The grade and identity card of the account that matches name and typed
    // password (a later match wins); nullopt when none does. A matching record
    // with a plain-text password is rewritten with its hash.
    std::optional<UserRecord> login(const QString &name, const QString &typedPassword);

    // Overwrites the first record matching name and current password with the
    // new password and identity card; false when there is none.
    bool changeOwnAccount(const QString &name, const QString &currentPassword, const QString &newPassword,
                          const QString &identityCard);

    // Appends an account with an empty password; false when the name exists.
    bool add(const QString &name, Grade grade, const QString &identityCard);
    // Changes grade and card of the first record with that name; clears the password when asked.
    bool modify(const QString &name, Grade grade, const QString &identityCard, bool clearPassword);
    // Moves the last record over the first one (after the first record) with
    // that name and shortens the file by one record. The first record stays.
    bool remove(const QString &name);

    static QByteArray encode(const UserRecord &r);
    static UserRecord decode(const QByteArray &record);
    static QByteArray passwordBytes(const QString &typed); // code page 1250, at most 32 bytes

private:
    QString path_;
};

} // namespace valdora::admin
