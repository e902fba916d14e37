// The string table behind LoadStr: a map filled by the units that own the texts. The map is
// created on first use so that units may register from their static start-up code.
#include "rtl/ResStrings.h"

#include <map>

namespace {
std::map<int, String>& Table()
{
  static std::map<int, String> table;
  return table;
}
} // namespace

String LoadStr(int Ident)
{
  auto it = Table().find(Ident);
  return it == Table().end() ? String() : it->second;
}

String ResStr(int Ident) { return LoadStr(Ident); }

void vt::RegisterResString(int Ident, const String& Text) { Table()[Ident] = Text; }
