#pragma once
// The personal numeric code field: at most 13 digits, a lone "0" becomes
// empty, and it tells whether the code is valid, the sex and the birth date.

#include <QDate>
#include <QLineEdit>

namespace valdora::ui {

class TCNPEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool Corect READ Corect)
    Q_PROPERTY(QString Sex READ Sex)
    Q_PROPERTY(QDate NascutLa READ NascutLa)
    Q_PROPERTY(bool AcceptGol READ AcceptGol WRITE setAcceptGol)
public:
    explicit TCNPEdit(QWidget *parent = nullptr);

    bool Corect() const;
    QString Sex() const;
    QDate NascutLa() const;
    bool AcceptGol() const { return acceptEmpty_; }
    void setAcceptGol(bool on) { acceptEmpty_ = on; }

private:
    bool acceptEmpty_ = false;
};

} // namespace valdora::ui
