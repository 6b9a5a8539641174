#include "jvlink/result_message.h"

#include <array>

#include "codes/cp932.h"

namespace jvlink {
namespace {

/// Which operations a row serves; one operation may be served by several groups.
enum class Group { Init, Done, Set, Open, Status, Read };

/// One row of the table; `positive` rows match every n > 0 and are followed by n.
struct ResultRow {
  Group group;
  int code;
  bool positive;
  std::string_view text;
};

constexpr std::string_view kOpenBusy =
    "前回のJVOpen/JVRTOpen/JVMVOpen に対してJVClose が呼ばれていません。（オープン中）";
constexpr std::string_view kDone = "正常に実行されました。";

// clang-format off
constexpr std::array kRows{
  ResultRow{Group::Init,  -101, false, "sid が設定されていません。"},
  ResultRow{Group::Init,  -102, false, "sid が64byte 以上あります。"},
  ResultRow{Group::Init,  -103, false, "sid が不正（sid の１桁目がスペース）です。"},
  ResultRow{Group::Done,     0, false, kDone},
  ResultRow{Group::Set,   -100, false, "パラメータが不正あるいはレジストリへの保存に失敗しました。"},
  ResultRow{Group::Set,   -101, false, "すでにサービスキーが登録されています。"},
  ResultRow{Group::Open,     0, false, kDone},
  ResultRow{Group::Open,    -1, false, " 取得済みデータより最新のデータがありません。"},
  ResultRow{Group::Open,    -2, false, "セットアップダイアログでキャンセルが押されました。"},
  ResultRow{Group::Open,  -111, false, "dataspec パラメータが不正です。"},
  ResultRow{Group::Open,  -112, false, "fromdate パラメータが不正です。"},
  ResultRow{Group::Open,  -114, false, "key パラメータが不正です。"},
  ResultRow{Group::Open,  -115, false, "option パラメータが不正です。"},
  ResultRow{Group::Open,  -116, false, "dataspec とoption の組み合わせが不正です。"},
  ResultRow{Group::Open,  -201, false, "JVInit が行なわれていません。"},
  ResultRow{Group::Open,  -202, false, kOpenBusy},
  ResultRow{Group::Open,  -211, false, "レジストリ内容が不正（レジストリ内容が不正に変更された）です。"},
  ResultRow{Group::Open,  -301, false, "認証エラーが発生しました。"},
  ResultRow{Group::Open,  -302, false, "サービスキーの有効期限切れです。"},
  ResultRow{Group::Open,  -303, false, "サービスキーが設定されていません。（サービスキーが空値）"},
  ResultRow{Group::Open,  -401, false, "JV- Link 内部エラーが発生しました。"},
  ResultRow{Group::Open,  -411, false, "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。"},
  ResultRow{Group::Open,  -412, false, "サーバーエラー（HTTP ステータス403 Forbidden ）が発生しました。"},
  ResultRow{Group::Open,  -413, false, "サーバーエラー（HTTP ステータス200,403,404 以外）が発生しました。"},
  ResultRow{Group::Open,  -421, false, "サーバーエラー（サーバーの応答が不正）が発生しました。"},
  ResultRow{Group::Open,  -431, false, "サーバーエラー（サーバーアプリケーション内部エラー）が発生しました。"},
  ResultRow{Group::Open,  -501, false, "セットアップ処理においてＣＤ －ＲＯＭ が無効です。"},
  ResultRow{Group::Open,  -504, false, "サーバーがメンテナンス中です。"},
  ResultRow{Group::Status, -201, false, "JVInitが行なわれていません。"},
  ResultRow{Group::Status, -203, false, "JVOpenが行なわれていません。"},
  ResultRow{Group::Status, -502, false, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）"},
  ResultRow{Group::Status,    0, true , "ダウンロード済みファイル数"},
  ResultRow{Group::Read,     0, false, "全ファイルの読み込みが終了しました。（ＥＯＦ ）"},
  ResultRow{Group::Read,    -1, false, "ファイルが切り替わりました。"},
  ResultRow{Group::Read,    -3, false, "ファイルダウンロード中"},
  ResultRow{Group::Read,  -201, false, "JVInitが行なわれていません。"},
  ResultRow{Group::Read,  -202, false, kOpenBusy},
  ResultRow{Group::Read,  -203, false, "JVOpenが行なわれていません。"},
  ResultRow{Group::Read,  -402, false, "ダウンロードしたファイルサイズが異常です。"},
  ResultRow{Group::Read,  -403, false, "ダウンロードしたファイル内容が異常です。"},
  ResultRow{Group::Read,  -502, false, "ダウンロードに失敗しました。(通信エラーやディスクエラー)"},
  ResultRow{Group::Read,  -503, false, "ファイルが見つかりません。"},
  ResultRow{Group::Read,     0, true , "バッファにセットしたデータのサイズ"},
};
// clang-format on

bool InGroup(Group group, std::string_view operation) {
  switch (group) {
    case Group::Init: return operation == "JVInit";
    case Group::Done:
      return operation == "JVInit" || operation == "JVStatus" || operation == "JVClose" ||
             operation.starts_with("JVSet");
    case Group::Set: return operation.starts_with("JVSet");
    case Group::Open: return operation == "JVOpen" || operation == "JVRTOpen";
    case Group::Status: return operation == "JVStatus";
    case Group::Read: return operation == "JVRead" || operation == "JVGets";
  }
  return false;
}

/// The UTF-8 table text for the operation and code; empty when no row has it.
std::string TableText(std::string_view operation, int code) {
  for (const ResultRow& row : kRows) {
    if (!InGroup(row.group, operation)) continue;
    if (row.positive && code > 0) return std::string(row.text) + std::to_string(code);
    if (!row.positive && row.code == code) return std::string(row.text);
  }
  return {};
}

}  // namespace

std::string ResultMessage(std::string_view operation, int code) {
  return codes::Sj(TableText(operation, code) + "(" + std::to_string(code) + ")");
}

}  // namespace jvlink
