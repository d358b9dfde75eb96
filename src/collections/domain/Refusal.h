#pragma once
// A refusal of the collection rules: what the message window (or, with a field,
// the problem balloon beside that field) shows. Line breaks are "\r" as in every
// message of the system.

#include <QString>

namespace valdora::collections {

struct Refusal {
    QString title; // message window title; empty for a problem balloon
    QString text;
    QString field; // control the balloon points at (e.g. "NumarC"); empty for a message window

    bool operator==(const Refusal &) const = default;
};

} // namespace valdora::collections
