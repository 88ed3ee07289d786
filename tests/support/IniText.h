// An independent reading of an INI file for the tests: plain line splitting, no shared
// code with the program's IniFile, so a fault there cannot hide itself.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace zaz::test {

struct IniText {
    struct Section {
        QString name;
        QList<QPair<QString, QString>> keys;
    };
    QList<Section> sections;

    static IniText parse(const QByteArray &bytes);
    // The value of the first such key, or a null string.
    QString value(const QString &section, const QString &key) const;
    const Section *find(const QString &section) const;
    QStringList sectionNames() const;
};

} // namespace zaz::test
