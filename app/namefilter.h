#ifndef VELMO_APP_NAMEFILTER_H
#define VELMO_APP_NAMEFILTER_H

// The game's file filters ("Description|*.A;*.B", pairs joined by "|") as
// the name filters of Qt's file dialogs. Names on Linux are compared with
// their case, so each pattern is offered in lower and in upper case:
// "Spielstand (*.memo)|*.memo" becomes "Spielstand (*.memo *.MEMO)".

#include <QStringList>
#include <string>

namespace velmo {

QStringList nameFilters(const std::string& filter);

}  // namespace velmo

#endif
