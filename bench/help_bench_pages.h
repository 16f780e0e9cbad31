#pragma once

#include <string>

// A generated help topic of about `bytes` bytes in code page 932: Japanese paragraphs
// with bold text, links, lists and line breaks, as a long help topic would have.
inline std::string generatedHelpTopicUtf8(std::size_t bytes) {
  std::string text = "<HTML><BODY>\r\n<A NAME=\"big\"></A><H2>長いトピック</H2>\r\n";
  int i = 0;
  // Each Japanese character takes two bytes in code page 932, three in UTF-8.
  while (text.size() * 2 / 3 < bytes) {
    text += "<P>段落 " + std::to_string(i) + "：フォルダー内のプログラムファイルのバージョン情報を<B>一覧</B>にして保存し、"
            "二つの記録を比べて、どのファイルが追加・更新・削除されたかを調べます。"
            "<A HREF=\"#big\">リンク</A>をクリックすると移動します。</P>\r\n";
    if (i % 10 == 0) text += "<UL><LI>項目一<LI>項目二<LI>項目三</UL>\r\n";
    ++i;
  }
  text += "<!-- zqHTML.EndOfTopic -->\r\n</BODY></HTML>\r\n";
  return text;
}
