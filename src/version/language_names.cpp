#include "version/language_names.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quorvane {

namespace {

struct Name {
  std::uint16_t id;
  const char* name;
};

// Sorted by identifier for the binary search below.
constexpr std::array kLanguages = std::to_array<Name>({
    {0x0000, "言語ニュートラル"},
    {0x0401, "アラビア語 (サウジアラビア)"},
    {0x0402, "ブルガリア語"},
    {0x0403, "カタロニア語"},
    {0x0404, "中国語 (台湾)"},
    {0x0405, "チェコ語"},
    {0x0406, "デンマーク語"},
    {0x0407, "ドイツ語 (ドイツ)"},
    {0x0408, "ギリシャ語"},
    {0x0409, "英語 (米国)"},
    {0x040A, "スペイン語 (スペイン、トラディショナル ソート)"},
    {0x040B, "フィンランド語"},
    {0x040C, "フランス語 (フランス)"},
    {0x040D, "ヘブライ語"},
    {0x040E, "ハンガリー語"},
    {0x040F, "アイスランド語"},
    {0x0410, "イタリア語 (イタリア)"},
    {0x0411, "日本語"},
    {0x0412, "韓国語"},
    {0x0413, "オランダ語 (オランダ)"},
    {0x0414, "ノルウェー語 (ブークモール)"},
    {0x0415, "ポーランド語"},
    {0x0416, "ポルトガル語 (ブラジル)"},
    {0x0418, "ルーマニア語"},
    {0x0419, "ロシア語"},
    {0x041A, "クロアチア語"},
    {0x041B, "スロバキア語"},
    {0x041C, "アルバニア語"},
    {0x041D, "スウェーデン語"},
    {0x041E, "タイ語"},
    {0x041F, "トルコ語"},
    {0x0421, "インドネシア語"},
    {0x0422, "ウクライナ語"},
    {0x0423, "ベラルーシ語"},
    {0x0424, "スロベニア語"},
    {0x0425, "エストニア語"},
    {0x0426, "ラトビア語"},
    {0x0427, "リトアニア語"},
    {0x0429, "ペルシャ語"},
    {0x042A, "ベトナム語"},
    {0x042D, "バスク語"},
    {0x0436, "アフリカーンス語"},
    {0x0439, "ヒンディー語"},
    {0x043E, "マレー語 (マレーシア)"},
    {0x0804, "中国語 (中華人民共和国)"},
    {0x0807, "ドイツ語 (スイス)"},
    {0x0809, "英語 (英国)"},
    {0x080A, "スペイン語 (メキシコ)"},
    {0x080C, "フランス語 (ベルギー)"},
    {0x0810, "イタリア語 (スイス)"},
    {0x0813, "オランダ語 (ベルギー)"},
    {0x0814, "ノルウェー語 (ニーノシク)"},
    {0x0816, "ポルトガル語 (ポルトガル)"},
    {0x0C04, "中国語 (香港特別行政区)"},
    {0x0C07, "ドイツ語 (オーストリア)"},
    {0x0C09, "英語 (オーストラリア)"},
    {0x0C0A, "スペイン語 (スペイン)"},
    {0x0C0C, "フランス語 (カナダ)"},
    {0x1004, "中国語 (シンガポール)"},
    {0x1007, "ドイツ語 (ルクセンブルク)"},
    {0x1009, "英語 (カナダ)"},
    {0x100C, "フランス語 (スイス)"},
    {0x1409, "英語 (ニュージーランド)"},
    {0x1809, "英語 (アイルランド)"},
    {0x1C09, "英語 (南アフリカ)"},
});

// Primary languages (the low 10 bits of an identifier) for identifiers not listed above.
constexpr std::array kPrimary = std::to_array<Name>({
    {0x01, "アラビア語"},   {0x02, "ブルガリア語"}, {0x03, "カタロニア語"}, {0x04, "中国語"},
    {0x05, "チェコ語"},     {0x06, "デンマーク語"}, {0x07, "ドイツ語"},     {0x08, "ギリシャ語"},
    {0x09, "英語"},         {0x0A, "スペイン語"},   {0x0B, "フィンランド語"}, {0x0C, "フランス語"},
    {0x0D, "ヘブライ語"},   {0x0E, "ハンガリー語"}, {0x0F, "アイスランド語"}, {0x10, "イタリア語"},
    {0x11, "日本語"},       {0x12, "韓国語"},       {0x13, "オランダ語"},   {0x14, "ノルウェー語"},
    {0x15, "ポーランド語"}, {0x16, "ポルトガル語"}, {0x18, "ルーマニア語"}, {0x19, "ロシア語"},
    {0x1A, "クロアチア語"}, {0x1B, "スロバキア語"}, {0x1D, "スウェーデン語"}, {0x1E, "タイ語"},
    {0x1F, "トルコ語"},     {0x21, "インドネシア語"}, {0x22, "ウクライナ語"}, {0x2A, "ベトナム語"},
});

constexpr bool byId(const Name& a, const Name& b) { return a.id < b.id; }
static_assert(std::is_sorted(kLanguages.begin(), kLanguages.end(), byId));
static_assert(std::is_sorted(kPrimary.begin(), kPrimary.end(), byId));

const char* lookup(const auto& table, std::uint16_t id) {
  auto it = std::lower_bound(table.begin(), table.end(), id,
                             [](const Name& n, std::uint16_t key) { return n.id < key; });
  return it != table.end() && it->id == id ? it->name : nullptr;
}

}  // namespace

std::string languageName(std::uint16_t languageId) {
  if (const char* name = lookup(kLanguages, languageId)) return name;
  const auto primary = static_cast<std::uint16_t>(languageId & 0x3FF);
  const char* base = lookup(kPrimary, primary);
  if (base && primary == languageId) return base;  // the primary language without a region
  char id[32];
  std::snprintf(id, sizeof id, " (言語 ID %04X)", static_cast<unsigned>(languageId));
  return std::string(base ? base : "不明な言語") + id;
}

}  // namespace quorvane
