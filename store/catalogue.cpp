#include "store/catalogue.h"

#include <cstring>

namespace store {

QString TableDef::sqlName() const {
    QString name = QString::fromLatin1(file);
    if (name.endsWith(QLatin1String(".DBF"), Qt::CaseInsensitive)) name.chop(4);
    return name;
}

const FieldDef* TableDef::field(QStringView name) const {
    for (const FieldDef& f : fields)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

std::vector<const char*> TableDef::allTags() const {
    std::vector<const char*> all = tags;
    for (const char* tag : alsoTags) {
        bool known = false;
        for (const char* t : all) known = known || std::strcmp(t, tag) == 0;
        if (!known) all.push_back(tag);
    }
    return all;
}

const TableDef* findTable(QStringView name) {
    QStringView bare = name.trimmed();
    if (bare.endsWith(QLatin1String(".DBF"), Qt::CaseInsensitive)) bare.chop(4);
    for (const TableDef& t : catalogue())
        if (bare.compare(t.sqlName(), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

}  // namespace store
