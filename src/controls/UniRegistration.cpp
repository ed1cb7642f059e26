#include "controls/UniRegistration.h"

#include "controls/CsItems.h"
#include "controls/CsTabs.h"
#include "controls/UniActions.h"
#include "controls/UniApplication.h"
#include "controls/UniComboBox.h"
#include "controls/NumericSpinEdit.h"
#include "controls/UniMenus.h"
#include "framework/PropInfo.h"

namespace cs {
namespace {

// A published wide text read and written through a class's wide getter and setter.
template <typename C, typename Get, typename Set>
fw::TPropInfo WideProp(const char* Name, Get get, Set set) {
  return fw::FuncProp<C, WideString>(Name, [get](C* c) { return (c->*get)(); },
                                     [set](C* c, WideString v) { (c->*set)(v); });
}

}  // namespace

void RegisterUnicodeControls() {
  static bool done = false;
  if (done) return;
  done = true;

  using Combo = TUniCustomComboBox;
  fw::RegisterClass<TUniComboBox>();
  fw::RegisterProperties<Combo>({
      fw::ObjectProp("Items", &Combo::Items),
      WideProp<Combo>("Text", &Combo::Text, static_cast<void (Combo::*)(const WideString&)>(&Combo::SetText)),
      WideProp<Combo>("Hint", &Combo::Hint, &Combo::SetHint)
          .Stored([](fw::TPersistent* p) { return IsWideHintStored(static_cast<Combo*>(p)); }),
  });

  using Item = TUniMenuItem;
  fw::RegisterClass<TUniMenuItem>();
  fw::RegisterProperties<Item>({
      WideProp<Item>("Caption", &Item::Caption, static_cast<void (Item::*)(const WideString&)>(&Item::SetCaption))
          .Stored([](fw::TPersistent* p) {
            fw::TMenuActionLink* link = static_cast<Item*>(p)->ActionLink();
            return link == nullptr || !link->IsCaptionLinked();
          }),
      WideProp<Item>("Hint", &Item::Hint, static_cast<void (Item::*)(const WideString&)>(&Item::SetHint))
          .Stored([](fw::TPersistent* p) {
            fw::TMenuActionLink* link = static_cast<Item*>(p)->ActionLink();
            return link == nullptr || !link->IsHintLinked();
          }),
  });

  // Control-set items keep their wide texts through their own "CaptionW" and "HintW".
  fw::RegisterClass<TCsItem>();

  // Tab controls: the control with its tabs (items) and pages as children; a page names its tab
  // ("TabItem"), the control its hidden tabs ("HiddenItems").
  using TabSet = TCsCustomTabSet;
  fw::RegisterClass<TCsTabControl>();
  fw::RegisterProperties<TabSet>({
      fw::Prop("ActiveTabIndex", &TabSet::ActiveTabIndex, &TabSet::SetActiveTabIndex).Default(fw::Integer(-1)),
      fw::Prop("TabPosition", &TabSet::TabPosition, &TabSet::SetTabPosition)
          .Names({"ttpTop", "ttpBottom"})
          .Default(ttpTop),
      fw::Prop("ThemeType", &TabSet::ThemeType, &TabSet::SetThemeType)
          .Names({"tttNone", "tttWindows", "tttTx", "tttFlat"})
          .Default(tttWindows),
  });
  fw::RegisterClass<TCsTabSheet>();
  fw::RegisterClass<TCsTabItem>();
  fw::RegisterProperties<TCsTabItem>({
      fw::Prop("Enabled", &toolbars::TTBCustomItem::Enabled, &toolbars::TTBCustomItem::SetEnabled).Default(true),
      fw::Prop("ImageIndex", &toolbars::TTBCustomItem::ImageIndex, &toolbars::TTBCustomItem::SetImageIndex)
          .Default(fw::Integer(-1)),
      fw::Prop("Visible", &toolbars::TTBCustomItem::Visible, &toolbars::TTBCustomItem::SetVisible).Default(true),
      fw::Prop("CustomWidth", &TCsCustomItem::CustomWidth, &TCsCustomItem::SetCustomWidth).Default(fw::Integer(-1)),
      fw::Prop("CustomHeight", &TCsCustomItem::CustomHeight, &TCsCustomItem::SetCustomHeight)
          .Default(fw::Integer(-1)),
  });

  fw::RegisterClass<TUniAction>();
  fw::RegisterProperties<TUniAction>({
      WideProp<TUniAction>("Caption", &TUniAction::Caption,
                           static_cast<void (TUniAction::*)(const WideString&)>(&TUniAction::SetCaption)),
      WideProp<TUniAction>("Hint", &TUniAction::Hint,
                           static_cast<void (TUniAction::*)(const WideString&)>(&TUniAction::SetHint)),
  });

  fw::RegisterClass<TUniHintAction>();
  fw::RegisterProperties<TUniHintAction>({
      WideProp<TUniHintAction>("Hint", &TUniHintAction::Hint,
                               static_cast<void (TUniHintAction::*)(const WideString&)>(&TUniHintAction::SetHint)),
  });

  // Value has no store but the text; the stream holds it only when it is not 0, and the edit
  // applies a loaded Value after ValueType and Decimal whatever their order in the stream.
  using Spin = TCustomNumericSpinEdit;
  fw::RegisterClass<TCsSpinEdit>();
  fw::RegisterProperties<Spin>({
      fw::Prop("Alignment", &Spin::Alignment, &Spin::SetAlignment)
          .Names({"taLeftJustify", "taRightJustify", "taCenter"})
          .Default(fw::taLeftJustify),
      fw::Prop("ArrowKeys", &Spin::ArrowKeys, &Spin::SetArrowKeys).Default(true),
      fw::Prop("Decimal", &Spin::Decimal, &Spin::SetDecimal).Default(fw::Integer(2)),
      fw::Prop("EditorEnabled", &Spin::EditorEnabled, &Spin::SetEditorEnabled).Default(true),
      fw::Prop("Increment", &Spin::Increment, &Spin::SetIncrement).Default(1.0),
      fw::Prop("MaxValue", &Spin::MaxValue, &Spin::SetMaxValue).Default(0.0),
      fw::Prop("MinValue", &Spin::MinValue, &Spin::SetMinValue).Default(0.0),
      fw::Prop("ValueType", &Spin::ValueType, &Spin::SetValueType)
          .Names({"vtInt", "vtFloat", "vtHex"})
          .Default(vtInt),
      fw::Prop("Value", &Spin::Value, &Spin::SetValue).Default(0.0),
  });
  fw::RegisterProperties<TCsSpinEdit, Spin>({
      fw::Prop("ThemeType", &TCsSpinEdit::ThemeType, &TCsSpinEdit::SetThemeType)
          .Names({"thtNone", "thtWindows", "thtTx"})
          .Default(thtTx),
  });
}

}  // namespace cs
