#include "samplefeed/name_book.h"

#include <algorithm>
#include <initializer_list>

#include "codes/cp932.h"

namespace samplefeed {

namespace {

std::vector<std::string> Sjis(std::initializer_list<const char*> words) {
  std::vector<std::string> out;
  out.reserve(words.size());
  for (const char* w : words) out.push_back(codes::Utf8ToSjis(w));
  return out;
}

const std::string& Pick(FeedRandom& random, const std::vector<std::string>& list) {
  return list[static_cast<size_t>(random.Below(static_cast<int>(list.size())))];
}

constexpr size_t kMaxHorseNameBytes = 18;

}  // namespace

NameBook::NameBook()
    : horse_heads_(
          Sjis({"サクラ",   "ゴールド",   "シルバー",   "ミラクル", "スター",   "ブルー",
                "レッド",   "ホワイト",   "ダーク",     "ロイヤル", "グラン",   "エア",
                "マイネル", "アドマイヤ", "メイショウ", "トウカイ", "ヒシ",     "ナリタ",
                "キング",   "クイーン",   "ミスター",   "リトル",   "ビッグ",   "ラッキー",
                "サンデー", "ウイン",     "コスモ",     "タガノ",   "エイシン", "ニシノ",
                "ハッピー", "スマイル",   "ドリーム",   "シャイン", "ノーブル", "フラワー"})),
      horse_tails_(
          Sjis({"ボーイ",   "ガール",   "ロード",   "スカイ",       "ウイング",   "ハート",
                "ソング",   "ダンス",   "ストーム", "ライト",       "ムーン",     "サン",
                "フォース", "ブレイブ", "エース",   "クラウン",     "ジュエル",   "ローズ",
                "リリー",   "ティアラ", "ブリッツ", "ランナー",     "ホープ",     "ジョイ",
                "メモリー", "バローズ", "シチー",   "ヴィクトリー", "レジェンド", "ファイター",
                "カグラ",   "ミライ",   "ツバサ",   "ハヤテ",       "コマチ",     "オー"})),
      surnames_(Sjis({"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村",
                      "小林", "加藤", "吉田", "山田", "松本", "井上", "木村", "林",
                      "清水", "山崎", "森",   "池田", "橋本", "阿部", "石川", "前田",
                      "藤田", "岡田", "後藤", "長谷", "村上", "近藤", "坂本", "遠藤"})),
      given_(Sjis({"誠", "翔", "健", "豊", "亮", "大", "拓", "浩", "勇", "隆", "剛", "悠", "蓮",
                   "陸", "光", "聡"})),
      owner_heads_(Sjis({"サクラ", "アオゾラ", "ミドリ", "ハヤセ", "ツキミ", "ホシノ", "カワセ",
                         "ヤマノ", "ウミベ", "コハク", "シラユキ", "アカツキ"})),
      owner_tails_(Sjis(
          {"レーシング", "ファーム", "ホースクラブ", "牧場", "ホールディングス", "興業", "商事"})),
      silks_(Sjis({"青，白星散らし", "赤，黒縦縞", "黄，青襷", "緑，白袖", "白，赤山形一本輪",
                   "黒，黄菱山形", "桃，白二本輪", "紫，白袖赤一本輪", "水色，白三本輪",
                   "茶，黄縦縞"})),
      race_words_(Sjis({"若葉", "白梅", "春風", "青嵐",   "紅葉", "初雪", "朝霧", "夕月",
                        "星空", "銀河", "翡翠", "琥珀",   "若駒", "飛燕", "疾風", "雷鳴",
                        "清流", "青葉", "山桜", "菜の花", "秋桜", "霜月", "早春", "新緑"})),
      race_tails_(Sjis({"特別", "ステークス", "賞", "カップ", "ハンデキャップ", "Ｓ"})),
      graded_tails_(Sjis({"記念", "ステークス", "カップ", "大賞典", "杯"})) {}

std::string NameBook::HorseName(FeedRandom& random) const {
  for (;;) {
    std::string name = Pick(random, horse_heads_) + Pick(random, horse_tails_);
    if (name.size() <= kMaxHorseNameBytes) return name;
  }
}

std::string NameBook::PersonShortName(FeedRandom& random) const {
  return Pick(random, surnames_) + Pick(random, given_);
}

std::string NameBook::OwnerName(FeedRandom& random) const {
  return Pick(random, owner_heads_) + Pick(random, owner_tails_);
}

std::string NameBook::Silks(FeedRandom& random) const { return Pick(random, silks_); }

std::string NameBook::RaceName(FeedRandom& random, bool graded) const {
  return Pick(random, race_words_) + Pick(random, graded ? graded_tails_ : race_tails_);
}

std::string NameBook::ShortName3(const std::string& race_name) {
  return race_name.substr(0, std::min<size_t>(race_name.size(), 6));
}

}  // namespace samplefeed
