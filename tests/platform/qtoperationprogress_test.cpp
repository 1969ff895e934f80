#include "widgets/qtoperationprogress.h"

#include <QProgressDialog>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(QtOperationProgress, CancelButtonStopsTheOperation) {
    QWidget owner;
    platform::QtOperationProgress progress(&owner);
    EXPECT_TRUE(progress.Step("before", 0)); // nothing begun: nothing to cancel
    progress.Begin("copy", 4000);
    auto* dialog = owner.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("copy"));
    EXPECT_TRUE(progress.Step("a.txt", 1000));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("a.txt"));
    EXPECT_EQ(dialog->value(), 250);
    dialog->cancel();
    EXPECT_FALSE(progress.Step("b.txt", 2000));
    progress.End();
    EXPECT_EQ(owner.findChild<QProgressDialog*>(), nullptr);
}

} // namespace
