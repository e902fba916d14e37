// vt_makedb: prepares an empty camp database file at a given path from the embedded schema.
// An existing file holds a user's data, so it is replaced only when --force is given.
#include <cstdio>
#include <string_view>

#include "db/Connection.h"
#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "schema/CampSchema.h"

namespace {

struct Arguments {
  String path;
  bool force = false;
  bool valid = false;
};

Arguments ParseArguments(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--force") {
      args.force = true;
    } else if (args.path.empty() && !arg.starts_with("-")) {
      args.path = String(arg);
    } else {
      return {};
    }
  }
  args.valid = !args.path.empty();
  return args;
}

void MakeDatabase(const Arguments& args) {
  if (FileExists(args.path)) {
    if (!args.force)
      throw Exception(args.path + " exists already; use --force to replace it.");
    if (!DeleteFile(args.path)) throw Exception("Cannot remove " + args.path + ".");
  }
  vt::CreateDatabaseFile(args.path, vt::CampSchemaScript());
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args = ParseArguments(argc, argv);
  if (!args.valid) {
    std::fprintf(stderr, "usage: vt_makedb [--force] <database file>\n");
    return 2;
  }
  try {
    MakeDatabase(args);
  } catch (const Exception& e) {
    std::fprintf(stderr, "vt_makedb: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
