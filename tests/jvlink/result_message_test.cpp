#include "jvlink/result_message.h"

#include <gtest/gtest.h>

#include "codes/cp932.h"
#include "support/case_name.h"

namespace jvlink {
namespace {

struct MessageCase {
  const char* operation;
  int code;
  const char* expected;  // UTF-8
};

std::ostream& operator<<(std::ostream& os, const MessageCase& c) {
  return os << c.operation << " " << c.code;
}

class ResultMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ResultMessageTest, GivesTheTableTextAndTheBracketedCode) {
  const MessageCase& c = GetParam();
  EXPECT_EQ(codes::SjisToUtf8(ResultMessage(c.operation, c.code)), c.expected);
}

constexpr const char* kBusy =
    "前回のJVOpen/JVRTOpen/JVMVOpen に対してJVClose が呼ばれていません。（オープン中）(-202)";

// clang-format off
INSTANTIATE_TEST_SUITE_P(InitAndSettings, ResultMessageTest, ::testing::Values(
  MessageCase{"JVInit", -101, "sid が設定されていません。(-101)"},
  MessageCase{"JVInit", -102, "sid が64byte 以上あります。(-102)"},
  MessageCase{"JVInit", -103, "sid が不正（sid の１桁目がスペース）です。(-103)"},
  MessageCase{"JVInit", 0, "正常に実行されました。(0)"},
  MessageCase{"JVInit", -100, "(-100)"},
  MessageCase{"JVSetUIProperties", 0, "正常に実行されました。(0)"},
  MessageCase{"JVSetUIProperties", -100, "パラメータが不正あるいはレジストリへの保存に失敗しました。(-100)"},
  MessageCase{"JVSetUIProperties", -101, "すでにサービスキーが登録されています。(-101)"},
  MessageCase{"JVSetSavePath", -100, "パラメータが不正あるいはレジストリへの保存に失敗しました。(-100)"},
  MessageCase{"JVSetServiceKey", 0, "正常に実行されました。(0)"},
  MessageCase{"JVSetUIProperties", -103, "(-103)"},
  MessageCase{"JVClose", 0, "正常に実行されました。(0)"},
  MessageCase{"JVClose", -1, "(-1)"},
  MessageCase{"JVClose", -201, "(-201)"},
  MessageCase{"JVCancel", 0, "(0)"}
),
    testsupport::PrintedCaseName());

INSTANTIATE_TEST_SUITE_P(Open, ResultMessageTest, ::testing::Values(
  MessageCase{"JVOpen", 0, "正常に実行されました。(0)"},
  MessageCase{"JVOpen", -1, " 取得済みデータより最新のデータがありません。(-1)"},
  MessageCase{"JVOpen", -2, "セットアップダイアログでキャンセルが押されました。(-2)"},
  MessageCase{"JVOpen", -111, "dataspec パラメータが不正です。(-111)"},
  MessageCase{"JVOpen", -112, "fromdate パラメータが不正です。(-112)"},
  MessageCase{"JVOpen", -114, "key パラメータが不正です。(-114)"},
  MessageCase{"JVOpen", -115, "option パラメータが不正です。(-115)"},
  MessageCase{"JVOpen", -116, "dataspec とoption の組み合わせが不正です。(-116)"},
  MessageCase{"JVOpen", -201, "JVInit が行なわれていません。(-201)"},
  MessageCase{"JVOpen", -202, kBusy},
  MessageCase{"JVOpen", -211, "レジストリ内容が不正（レジストリ内容が不正に変更された）です。(-211)"},
  MessageCase{"JVOpen", -301, "認証エラーが発生しました。(-301)"},
  MessageCase{"JVOpen", -302, "サービスキーの有効期限切れです。(-302)"},
  MessageCase{"JVOpen", -303, "サービスキーが設定されていません。（サービスキーが空値）(-303)"},
  MessageCase{"JVOpen", -401, "JV- Link 内部エラーが発生しました。(-401)"},
  MessageCase{"JVOpen", -411, "サーバーエラー（HTTP ステータス404 NotFount ）が発生しました。(-411)"},
  MessageCase{"JVOpen", -412, "サーバーエラー（HTTP ステータス403 Forbidden ）が発生しました。(-412)"},
  MessageCase{"JVOpen", -413, "サーバーエラー（HTTP ステータス200,403,404 以外）が発生しました。(-413)"},
  MessageCase{"JVOpen", -421, "サーバーエラー（サーバーの応答が不正）が発生しました。(-421)"},
  MessageCase{"JVOpen", -431, "サーバーエラー（サーバーアプリケーション内部エラー）が発生しました。(-431)"},
  MessageCase{"JVOpen", -501, "セットアップ処理においてＣＤ －ＲＯＭ が無効です。(-501)"},
  MessageCase{"JVOpen", -504, "サーバーがメンテナンス中です。(-504)"},
  MessageCase{"JVOpen", -502, "(-502)"},
  MessageCase{"JVOpen", 3, "(3)"},
  MessageCase{"JVRTOpen", -1, " 取得済みデータより最新のデータがありません。(-1)"},
  MessageCase{"JVRTOpen", -114, "key パラメータが不正です。(-114)"},
  MessageCase{"JVRTOpen", -202, kBusy}
),
    testsupport::PrintedCaseName());

INSTANTIATE_TEST_SUITE_P(StatusAndRead, ResultMessageTest, ::testing::Values(
  MessageCase{"JVStatus", 0, "正常に実行されました。(0)"},
  MessageCase{"JVStatus", -201, "JVInitが行なわれていません。(-201)"},
  MessageCase{"JVStatus", -203, "JVOpenが行なわれていません。(-203)"},
  MessageCase{"JVStatus", -502, "ダウンロードに失敗しました。（通信エラーやディスクエラーなど）(-502)"},
  MessageCase{"JVStatus", 5, "ダウンロード済みファイル数5(5)"},
  MessageCase{"JVStatus", 1, "ダウンロード済みファイル数1(1)"},
  MessageCase{"JVStatus", -1, "(-1)"},
  MessageCase{"JVRead", 0, "全ファイルの読み込みが終了しました。（ＥＯＦ ）(0)"},
  MessageCase{"JVRead", -1, "ファイルが切り替わりました。(-1)"},
  MessageCase{"JVRead", -3, "ファイルダウンロード中(-3)"},
  MessageCase{"JVRead", -201, "JVInitが行なわれていません。(-201)"},
  MessageCase{"JVRead", -202, kBusy},
  MessageCase{"JVRead", -203, "JVOpenが行なわれていません。(-203)"},
  MessageCase{"JVRead", -402, "ダウンロードしたファイルサイズが異常です。(-402)"},
  MessageCase{"JVRead", -403, "ダウンロードしたファイル内容が異常です。(-403)"},
  MessageCase{"JVRead", -502, "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)"},
  MessageCase{"JVRead", -503, "ファイルが見つかりません。(-503)"},
  MessageCase{"JVRead", 1272, "バッファにセットしたデータのサイズ1272(1272)"},
  MessageCase{"JVRead", -2, "(-2)"},
  MessageCase{"JVGets", -1, "ファイルが切り替わりました。(-1)"},
  MessageCase{"JVGets", 45, "バッファにセットしたデータのサイズ45(45)"},
  MessageCase{"JVFoo", 0, "(0)"},
  MessageCase{"jvread", 0, "(0)"}
),
    testsupport::PrintedCaseName());
// clang-format on

TEST(ResultMessage, IsShiftJisBytes) {
  // "正" is 0x90 0xB3 in code page 932.
  EXPECT_EQ(ResultMessage("JVClose", 0).substr(0, 2), "\x90\xB3");
}

}  // namespace
}  // namespace jvlink
