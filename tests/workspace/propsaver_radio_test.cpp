// Radio choices stored as the name of the checked button of a group.

#include <gtest/gtest.h>

#include "framework/StdCtrls.h"
#include "workspace/PropSaver.h"

namespace {

using workspace::TPropSaver;

class PropSaverRadio : public ::testing::Test {
 protected:
  fw::TRadioButton* AddRadio(fw::TWinControl* parent, const char* name) {
    auto* radio = new fw::TRadioButton(form_.get());
    radio->SetName(name);
    radio->SetParent(parent);
    return radio;
  }
  void SetUp() override {
    // No window is made: the buttons only live as components under a parent.
    form_ = std::make_unique<fw::TGroupBox>(nullptr);
    group_ = new fw::TGroupBox(form_.get());
    group_->SetParent(form_.get());
    wmf_ = AddRadio(group_, "rbCopyWMF");
    bmp_ = AddRadio(group_, "rbCopyBMP");
    emf_ = AddRadio(group_, "rbCopyEMF");
    outside_ = AddRadio(form_.get(), "rbOutside");
  }
  void TearDown() override {
    form_.reset();
  }
  std::unique_ptr<fw::TGroupBox> form_;
  fw::TGroupBox* group_ = nullptr;
  fw::TRadioButton *wmf_ = nullptr, *bmp_ = nullptr, *emf_ = nullptr, *outside_ = nullptr;
};

TEST_F(PropSaverRadio, StoresAndChecksByName) {
  auto store = TPropSaver::FromStrings(nullptr, "COPY");
  bmp_->SetChecked(true);
  store->WriteRadioButton("Format", group_);
  EXPECT_EQ(store->ReadString("Format", ""), "rbCopyBMP");

  emf_->SetChecked(true);
  ASSERT_TRUE(store->ReadRadioButton("Format", group_, "rbCopyEMF"));
  EXPECT_TRUE(bmp_->Checked());
  EXPECT_FALSE(emf_->Checked());
  EXPECT_FALSE(wmf_->Checked());
}

TEST_F(PropSaverRadio, UnknownOrForeignNameChecksTheDefault) {
  auto store = TPropSaver::FromStrings(nullptr, "COPY");
  store->WriteString("Format", "rbOutside");  // not a button of this group
  ASSERT_TRUE(store->ReadRadioButton("Format", group_, "rbCopyWMF"));
  EXPECT_TRUE(wmf_->Checked());
  EXPECT_FALSE(outside_->Checked());
  EXPECT_FALSE(store->ReadRadioButton("Missing", group_, "rbNoSuch"));
  EXPECT_TRUE(wmf_->Checked());

  // Nothing checked stores no name, which reads back as the default.
  for (auto* r : {wmf_, bmp_, emf_}) r->SetChecked(false);
  store->WriteRadioButton("None", group_);
  ASSERT_TRUE(store->ReadRadioButton("None", group_, "rbCopyEMF"));
  EXPECT_TRUE(emf_->Checked());
}

}  // namespace
