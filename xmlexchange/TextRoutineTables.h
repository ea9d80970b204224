// The tables behind the reading and address conversions, in the order the
// conversions consult them (the order matters where entries could compete).
// Internal to ContactXmlCore and its tests.
#pragma once

#include <iterator>

#include "platform/text/Sj.h"

namespace vext::contactxml::tables {

struct Replacement {
  const char* from;
  const char* to;
};

// Half-width katakana byte -> full-width katakana. The half-width
// punctuation ｡｢｣､･ (0xA1-0xA5) is deliberately absent.
inline constexpr Replacement kSingleCharacter[] = {
    {"ｱ"_sj, "ア"_sj}, {"ｲ"_sj, "イ"_sj}, {"ｳ"_sj, "ウ"_sj}, {"ｴ"_sj, "エ"_sj}, {"ｵ"_sj, "オ"_sj},
    {"ｶ"_sj, "カ"_sj}, {"ｷ"_sj, "キ"_sj}, {"ｸ"_sj, "ク"_sj}, {"ｹ"_sj, "ケ"_sj}, {"ｺ"_sj, "コ"_sj},
    {"ｻ"_sj, "サ"_sj}, {"ｼ"_sj, "シ"_sj}, {"ｽ"_sj, "ス"_sj}, {"ｾ"_sj, "セ"_sj}, {"ｿ"_sj, "ソ"_sj},
    {"ﾀ"_sj, "タ"_sj}, {"ﾁ"_sj, "チ"_sj}, {"ﾂ"_sj, "ツ"_sj}, {"ﾃ"_sj, "テ"_sj}, {"ﾄ"_sj, "ト"_sj},
    {"ﾅ"_sj, "ナ"_sj}, {"ﾆ"_sj, "ニ"_sj}, {"ﾇ"_sj, "ヌ"_sj}, {"ﾈ"_sj, "ネ"_sj}, {"ﾉ"_sj, "ノ"_sj},
    {"ﾊ"_sj, "ハ"_sj}, {"ﾋ"_sj, "ヒ"_sj}, {"ﾌ"_sj, "フ"_sj}, {"ﾍ"_sj, "ヘ"_sj}, {"ﾎ"_sj, "ホ"_sj},
    {"ﾏ"_sj, "マ"_sj}, {"ﾐ"_sj, "ミ"_sj}, {"ﾑ"_sj, "ム"_sj}, {"ﾒ"_sj, "メ"_sj}, {"ﾓ"_sj, "モ"_sj},
    {"ﾔ"_sj, "ヤ"_sj}, {"ﾕ"_sj, "ユ"_sj}, {"ﾖ"_sj, "ヨ"_sj}, {"ﾗ"_sj, "ラ"_sj}, {"ﾘ"_sj, "リ"_sj},
    {"ﾙ"_sj, "ル"_sj}, {"ﾚ"_sj, "レ"_sj}, {"ﾛ"_sj, "ロ"_sj}, {"ﾜ"_sj, "ワ"_sj}, {"ｦ"_sj, "ヲ"_sj},
    {"ﾝ"_sj, "ン"_sj}, {"ｧ"_sj, "ァ"_sj}, {"ｨ"_sj, "ィ"_sj}, {"ｩ"_sj, "ゥ"_sj}, {"ｪ"_sj, "ェ"_sj},
    {"ｫ"_sj, "ォ"_sj}, {"ｬ"_sj, "ャ"_sj}, {"ｭ"_sj, "ュ"_sj}, {"ｮ"_sj, "ョ"_sj}, {"ｯ"_sj, "ッ"_sj},
    {"ﾞ"_sj, "゛"_sj}, {"ﾟ"_sj, "゜"_sj}, {"ｰ"_sj, "ー"_sj},
};
static_assert(std::size(kSingleCharacter) == 58);

// Full-width katakana + full-width mark -> the composed character. ウ゛ is
// not composed: readings never carried ヴ.
inline constexpr Replacement kVoicedMark[] = {
    {"カ゛"_sj, "ガ"_sj}, {"キ゛"_sj, "ギ"_sj}, {"ク゛"_sj, "グ"_sj}, {"ケ゛"_sj, "ゲ"_sj},
    {"コ゛"_sj, "ゴ"_sj}, {"サ゛"_sj, "ザ"_sj}, {"シ゛"_sj, "ジ"_sj}, {"ス゛"_sj, "ズ"_sj},
    {"セ゛"_sj, "ゼ"_sj}, {"ソ゛"_sj, "ゾ"_sj}, {"タ゛"_sj, "ダ"_sj}, {"チ゛"_sj, "ヂ"_sj},
    {"ツ゛"_sj, "ヅ"_sj}, {"テ゛"_sj, "デ"_sj}, {"ト゛"_sj, "ド"_sj}, {"ハ゛"_sj, "バ"_sj},
    {"ヒ゛"_sj, "ビ"_sj}, {"フ゛"_sj, "ブ"_sj}, {"ヘ゛"_sj, "ベ"_sj}, {"ホ゛"_sj, "ボ"_sj},
    {"ハ゜"_sj, "パ"_sj}, {"ヒ゜"_sj, "ピ"_sj}, {"フ゜"_sj, "プ"_sj}, {"ヘ゜"_sj, "ペ"_sj},
    {"ホ゜"_sj, "ポ"_sj},
};
static_assert(std::size(kVoicedMark) == 25);

// Full-width katakana -> half-width bytes, used when reading. Small ヮヵヶヰヱ
// have no half-width form and stay as they are.
inline constexpr Replacement kHalfWidth[] = {
    {"ア"_sj, "ｱ"_sj},  {"イ"_sj, "ｲ"_sj},  {"ウ"_sj, "ｳ"_sj},  {"エ"_sj, "ｴ"_sj},
    {"オ"_sj, "ｵ"_sj},  {"カ"_sj, "ｶ"_sj},  {"キ"_sj, "ｷ"_sj},  {"ク"_sj, "ｸ"_sj},
    {"ケ"_sj, "ｹ"_sj},  {"コ"_sj, "ｺ"_sj},  {"サ"_sj, "ｻ"_sj},  {"シ"_sj, "ｼ"_sj},
    {"ス"_sj, "ｽ"_sj},  {"セ"_sj, "ｾ"_sj},  {"ソ"_sj, "ｿ"_sj},  {"タ"_sj, "ﾀ"_sj},
    {"チ"_sj, "ﾁ"_sj},  {"ツ"_sj, "ﾂ"_sj},  {"テ"_sj, "ﾃ"_sj},  {"ト"_sj, "ﾄ"_sj},
    {"ナ"_sj, "ﾅ"_sj},  {"ニ"_sj, "ﾆ"_sj},  {"ヌ"_sj, "ﾇ"_sj},  {"ネ"_sj, "ﾈ"_sj},
    {"ノ"_sj, "ﾉ"_sj},  {"ハ"_sj, "ﾊ"_sj},  {"ヒ"_sj, "ﾋ"_sj},  {"フ"_sj, "ﾌ"_sj},
    {"ヘ"_sj, "ﾍ"_sj},  {"ホ"_sj, "ﾎ"_sj},  {"マ"_sj, "ﾏ"_sj},  {"ミ"_sj, "ﾐ"_sj},
    {"ム"_sj, "ﾑ"_sj},  {"メ"_sj, "ﾒ"_sj},  {"モ"_sj, "ﾓ"_sj},  {"ヤ"_sj, "ﾔ"_sj},
    {"ユ"_sj, "ﾕ"_sj},  {"ヨ"_sj, "ﾖ"_sj},  {"ラ"_sj, "ﾗ"_sj},  {"リ"_sj, "ﾘ"_sj},
    {"ル"_sj, "ﾙ"_sj},  {"レ"_sj, "ﾚ"_sj},  {"ロ"_sj, "ﾛ"_sj},  {"ワ"_sj, "ﾜ"_sj},
    {"ヲ"_sj, "ｦ"_sj},  {"ン"_sj, "ﾝ"_sj},  {"ァ"_sj, "ｧ"_sj},  {"ィ"_sj, "ｨ"_sj},
    {"ゥ"_sj, "ｩ"_sj},  {"ェ"_sj, "ｪ"_sj},  {"ォ"_sj, "ｫ"_sj},  {"ャ"_sj, "ｬ"_sj},
    {"ュ"_sj, "ｭ"_sj},  {"ョ"_sj, "ｮ"_sj},  {"ッ"_sj, "ｯ"_sj},  {"ー"_sj, "ｰ"_sj},
    {"ガ"_sj, "ｶﾞ"_sj}, {"ギ"_sj, "ｷﾞ"_sj}, {"グ"_sj, "ｸﾞ"_sj}, {"ゲ"_sj, "ｹﾞ"_sj},
    {"ゴ"_sj, "ｺﾞ"_sj}, {"ザ"_sj, "ｻﾞ"_sj}, {"ジ"_sj, "ｼﾞ"_sj}, {"ズ"_sj, "ｽﾞ"_sj},
    {"ゼ"_sj, "ｾﾞ"_sj}, {"ゾ"_sj, "ｿﾞ"_sj}, {"ダ"_sj, "ﾀﾞ"_sj}, {"ヂ"_sj, "ﾁﾞ"_sj},
    {"ヅ"_sj, "ﾂﾞ"_sj}, {"デ"_sj, "ﾃﾞ"_sj}, {"ド"_sj, "ﾄﾞ"_sj}, {"バ"_sj, "ﾊﾞ"_sj},
    {"ビ"_sj, "ﾋﾞ"_sj}, {"ブ"_sj, "ﾌﾞ"_sj}, {"ベ"_sj, "ﾍﾞ"_sj}, {"ボ"_sj, "ﾎﾞ"_sj},
    {"パ"_sj, "ﾊﾟ"_sj}, {"ピ"_sj, "ﾋﾟ"_sj}, {"プ"_sj, "ﾌﾟ"_sj}, {"ペ"_sj, "ﾍﾟ"_sj},
    {"ポ"_sj, "ﾎﾟ"_sj}, {"ヴ"_sj, "ｳﾞ"_sj}, {"゛"_sj, "ﾞ"_sj},  {"゜"_sj, "ﾟ"_sj},
};
static_assert(std::size(kHalfWidth) == 84);

// The prefectures in the order of their JIS X 0401 codes 01-47. No name is
// the beginning of another, so the first match is the only match.
inline constexpr const char* kPrefectures[] = {
    "北海道"_sj, "青森県"_sj,   "岩手県"_sj, "宮城県"_sj,   "秋田県"_sj, "山形県"_sj, "福島県"_sj,
    "茨城県"_sj, "栃木県"_sj,   "群馬県"_sj, "埼玉県"_sj,   "千葉県"_sj, "東京都"_sj, "神奈川県"_sj,
    "新潟県"_sj, "富山県"_sj,   "石川県"_sj, "福井県"_sj,   "山梨県"_sj, "長野県"_sj, "岐阜県"_sj,
    "静岡県"_sj, "愛知県"_sj,   "三重県"_sj, "滋賀県"_sj,   "京都府"_sj, "大阪府"_sj, "兵庫県"_sj,
    "奈良県"_sj, "和歌山県"_sj, "鳥取県"_sj, "島根県"_sj,   "岡山県"_sj, "広島県"_sj, "山口県"_sj,
    "徳島県"_sj, "香川県"_sj,   "愛媛県"_sj, "高知県"_sj,   "福岡県"_sj, "佐賀県"_sj, "長崎県"_sj,
    "熊本県"_sj, "大分県"_sj,   "宮崎県"_sj, "鹿児島県"_sj, "沖縄県"_sj,
};
static_assert(std::size(kPrefectures) == 47);

}  // namespace vext::contactxml::tables
