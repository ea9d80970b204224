#include "PhoneBookGenerator.h"

#include <array>
#include <string>

#include "platform/text/Sj.h"

namespace vext::bench {
namespace {

// Characters of JIS X 0208 only, so that plain libxml2 (strict Shift_JIS)
// can read the document as a yardstick.
constexpr std::array kSurnames = {
    "佐藤"_sj, "鈴木"_sj, "高橋"_sj, "田中"_sj, "伊藤"_sj,   "渡辺"_sj, "山本"_sj, "中村"_sj,
    "小林"_sj, "加藤"_sj, "吉田"_sj, "山田"_sj, "佐々木"_sj, "山口"_sj, "松本"_sj, "井上"_sj};
constexpr std::array kGivenNames = {"太郎"_sj, "花子"_sj, "一郎"_sj, "美咲"_sj,
                                    "健太"_sj, "陽子"_sj, "翔"_sj,   "さくら"_sj,
                                    "大輔"_sj, "由美"_sj, "誠"_sj,   "恵"_sj};
struct Place {
  const char* prefecture;
  const char* city;
  const char* town;
  const char* zipPrefix;
  const char* jis5;
};
constexpr std::array kPlaces = {
    Place{"東京都"_sj, "新宿区"_sj, "西新宿"_sj, "160", "13104"},
    Place{"東京都"_sj, "千代田区"_sj, "丸の内"_sj, "100", "13101"},
    Place{"大阪府"_sj, "大阪市北区"_sj, "梅田"_sj, "530", "27127"},
    Place{"愛知県"_sj, "名古屋市中村区"_sj, "名駅"_sj, "450", "23105"},
    Place{"北海道"_sj, "札幌市中央区"_sj, "大通西"_sj, "060", "01101"},
    Place{"福岡県"_sj, "福岡市博多区"_sj, "博多駅前"_sj, "812", "40132"},
    Place{"神奈川県"_sj, "横浜市西区"_sj, "みなとみらい"_sj, "220", "14103"},
    Place{"京都府"_sj, "京都市下京区"_sj, "烏丸通"_sj, "600", "26106"},
};
constexpr std::array kCompanyKinds = {"株式会社"_sj, "有限会社"_sj, "合同会社"_sj};
constexpr std::array kCompanyWords = {"山田商事"_sj, "東洋印刷"_sj, "日本物流"_sj, "中央電機"_sj,
                                      "北斗工業"_sj, "青空食品"_sj, "桜建設"_sj,   "富士運輸"_sj};
constexpr std::array kBuildings = {""_sj, ""_sj, "ビル"_sj, "マンション101"_sj, "第二ビル5F"_sj};

class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint64_t Next() {  // xorshift64*
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 0x2545F4914F6CDD1Dull;
  }
  template <typename T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[Next() % N];
  }
  std::string Digits(int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + Next() % 10);
    return digits;
  }

 private:
  std::uint64_t m_state;
};

}  // namespace

void GeneratePhoneBook(std::ostream& out, std::uint64_t entries, std::uint64_t seed) {
  Random random(seed);
  std::string line;
  for (std::uint64_t i = 0; i < entries; ++i) {
    const bool personal = random.Next() % 10 < 7;
    const Place& place = random.Pick(kPlaces);
    line.clear();
    line += (personal ? "090-" : "03-") + random.Digits(4) + "-" + random.Digits(4) + ",";
    line += place.zipPrefix + random.Digits(4) + ",";
    line += std::string(place.prefecture) + "," + place.city + "," + place.town + ",";
    line += std::to_string(1 + random.Next() % 9) + "-" + std::to_string(1 + random.Next() % 30) +
            "-" + std::to_string(1 + random.Next() % 20) + random.Pick(kBuildings) + ",";
    line += std::string(place.jis5) + ",";
    if (personal) {
      line += std::string(random.Pick(kSurnames)) + " " + random.Pick(kGivenNames) + ",";
    } else {
      line += std::string(",") + random.Pick(kCompanyKinds) + random.Pick(kCompanyWords);
    }
    line += "\r\n";
    out << line;
  }
}

}  // namespace vext::bench
