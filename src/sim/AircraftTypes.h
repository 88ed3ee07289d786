// The aircraft variants installed in the simulator, read from the "aircraft.cfg" file of each
// folder under SimObjects/Airplanes, and the manufacturers they come from.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zaz {

struct AircraftType {
    QString title;        // the simulator's name of the variant, given back when creating
    QString manufacturer; // "error" when the variant names none, "inconnu" when it is blank
};

struct AircraftTypeTable {
    QList<AircraftType> entries;  // folder order, then section order within a file
    QStringList manufacturers;    // sorted without regard to case, each once

    // The titles of the manufacturer's variants in table order; every title for "tous".
    QStringList titlesOf(const QString &manufacturer) const;
};

// The choice of the manufacturer list that stands for every manufacturer.
inline const QString kAllManufacturers = QStringLiteral("tous");

// Reads the variants under simulatorDir. Each folder holding an "aircraft.cfg" (name matched
// without regard to case) gives one entry per section whose name begins with "fltsim". The
// files come from add-on makers: oversized files, titles that do not fit the simulator's
// 255-character field and anything past the entry and folder limits are left out.
AircraftTypeTable ReadAircraftTypes(const QString &simulatorDir);

} // namespace zaz
