#include "version/string_tables.h"

#include "version/language_names.h"
#include "version/version_block.h"
#include "version/version_text.h"

namespace quorvane {

std::vector<VersionStringTable> readStringTables(Bytes versionBlock) {
  std::vector<VersionStringTable> tables;
  const VersionBlock block(versionBlock);
  const auto info = block.find("\\StringFileInfo");
  if (!info) return tables;
  for (auto node = block.firstChild(*info); node; node = block.nextChild(*info, *node)) {
    VersionStringTable table;
    table.Key = block.keyText(*node);
    table.KeyIsHex = table.Key.size() == 8 && versionText::parseHex4(table.Key, table.Language) &&
                     versionText::parseHex4(std::string_view(table.Key).substr(4), table.CodePage);
    if (table.KeyIsHex) table.LanguageName = languageName(table.Language);
    for (auto value = block.firstChild(*node); value; value = block.nextChild(*node, *value)) {
      VersionStringTable::Value v{block.keyText(*value), {}};
      block.appendText(*value, v.Text);
      table.Values.push_back(std::move(v));
    }
    tables.push_back(std::move(table));
  }
  return tables;
}

}  // namespace quorvane
