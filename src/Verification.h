#ifndef VERIFICATION_H
#define VERIFICATION_H

#include <QString>

class ListParam;

// The checks made on a calculation before its result is shown and before the
// order form is printed, and the message of each check code in both
// languages. Free of widgets: the main window shows the messages, the
// command-line tool prints them.
class Verification {
public:
    // Code of the first failing check on the record; 0 when nothing stands
    // in the way, 70 when everything is entered but not yet calculated.
    static int code(const ListParam& p);

    struct Message {
        bool existe = false;         // false for code 0, unknown codes and languages
        bool avertissement = false;  // warning box; information box otherwise
        QString titre;
        QString texte;               // rich text
    };
    static Message message(int code, const QString& langue);
};

#endif
