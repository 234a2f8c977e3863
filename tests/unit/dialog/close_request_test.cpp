// Closing the window: Escape and the close box close at once unless records exist that no
// file holds yet; then the user is asked, and No keeps everything. Enter reads the fields
// back first and closes only when they parse.

#include <gtest/gtest.h>

#include <memory>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

class CloseRequestTest : public ::testing::Test {
protected:
    void record(int n) {
        for (int i = 0; i < n; ++i) h->dialog.onCommand(ManualButton);
    }
    std::unique_ptr<test::DialogRig<>> h = std::make_unique<test::DialogRig<>>();
};

TEST_F(CloseRequestTest, WithNothingUnsavedEveryWayClosesAtOnce) {
    for (const CloseRequest how :
         {CloseRequest::CloseBox, CloseRequest::Escape, CloseRequest::Enter}) {
        EXPECT_TRUE(h->dialog.onCloseRequested(how));
    }
    EXPECT_TRUE(h->window.questions.empty());
}

TEST_F(CloseRequestTest, UnsavedRecordsAskFirstAndNoKeepsEveryRecord) {
    record(3);
    h->window.yesNoAnswers = {false, false, true};
    EXPECT_FALSE(h->dialog.onCloseRequested(CloseRequest::Escape));
    EXPECT_FALSE(h->dialog.onCloseRequested(CloseRequest::CloseBox));
    EXPECT_EQ(h->store.count(), 3u);
    EXPECT_EQ(h->window.questions.front(), "有 3 条记录尚未保存。仍要关闭吗？");
    EXPECT_TRUE(h->dialog.onCloseRequested(CloseRequest::Enter));
}

TEST_F(CloseRequestTest, TheQuestionFollowsTheInterfaceLanguage) {
    h = std::make_unique<test::DialogRig<>>(test::StoredSettings{{"Language", 2}});
    record(2);
    EXPECT_FALSE(h->dialog.onCloseRequested(CloseRequest::Escape));
    ASSERT_EQ(h->window.questions.size(), 1u);
    EXPECT_EQ(h->window.questions[0], "2 records have not been saved. Close anyway?");
}

TEST_F(CloseRequestTest, RecordsHeldByAnExportOrAnAutosaveNeedNoQuestion) {
    record(2);
    h->window.savePathAnswer = "/tmp/MensoraRecord.xls";
    h->dialog.onCommand(SaveButton);
    EXPECT_TRUE(h->dialog.onCloseRequested(CloseRequest::Escape));

    record(1);  // made after the export: asked about
    EXPECT_FALSE(h->dialog.onCloseRequested(CloseRequest::Escape));
    ASSERT_EQ(h->window.questions.size(), 1u);
    EXPECT_EQ(h->window.questions[0], "有 1 条记录尚未保存。仍要关闭吗？");

    h->window.setChecked(AutosaveCheck, true);
    h->dialog.onCommand(AutosaveCheck);
    h->clock.advance(60000);
    EXPECT_TRUE(h->dialog.onCloseRequested(CloseRequest::Escape));
}

TEST_F(CloseRequestTest, AFailedExportLeavesTheRecordsUnsaved) {
    record(1);
    h->window.savePathAnswer = "/tmp/MensoraRecord.xls";
    h->fileSystem.failCreate = FileFailure::AccessDenied;
    h->dialog.onCommand(SaveButton);
    h->window.yesNoAnswers = {false};
    EXPECT_FALSE(h->dialog.onCloseRequested(CloseRequest::Escape));
}

TEST_F(CloseRequestTest, ClearedRecordsAreNotAskedAbout) {
    record(4);
    h->dialog.onCommand(ClearButton);
    EXPECT_TRUE(h->dialog.onCloseRequested(CloseRequest::Escape));
}

TEST_F(CloseRequestTest, EnterWithAFieldThatDoesNotParseKeepsTheWindowOpen) {
    h->window.setText(NominalField, "abc");
    EXPECT_FALSE(h->dialog.onCloseRequested(CloseRequest::Enter));
    ASSERT_EQ(h->window.messages.size(), 1u);
    EXPECT_EQ(h->window.messages[0].text, "请键入一个数。");
    EXPECT_EQ(h->window.focused, NominalField);
    // Escape still closes at once.
    EXPECT_TRUE(h->dialog.onCloseRequested(CloseRequest::Escape));
}

}  // namespace
}  // namespace mensora
