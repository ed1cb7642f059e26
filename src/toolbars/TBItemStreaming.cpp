#include "toolbars/TBItemStreaming.h"

#include "framework/ImageList.h"
#include "framework/StdCtrlsTypes.h"
#include "toolbars/TBExtItems.h"
#include "toolbars/TBItem.h"
#include "toolbars/TBToolbar.h"

namespace toolbars {

// ---- the tree as the streams see it ----

void TTBCustomItem::GetChildren(const std::function<void(TComponent* Child)>& Proc, TComponent* /*Root*/) {
  for (TTBCustomItem* child : FItems) Proc(child);
}

void TTBCustomItem::SetChildOrder(TComponent* Child, Integer Order) {
  const Integer index = IndexOf(dynamic_cast<TTBCustomItem*>(Child));
  if (index >= 0) Move(index, Order);
}

fw::TComponent* TTBCustomItem::GetParentComponent() const {
  if (FParent && FParent->FParentComponent) return FParent->FParentComponent;
  return FParent;
}

void TTBCustomToolbar::GetChildren(const std::function<void(TComponent* Child)>& Proc, TComponent* Root) {
  if (FItems) FItems->GetChildren(Proc, Root);
}

void TTBCustomToolbar::SetChildOrder(TComponent* Child, Integer Order) {
  if (FItems) FItems->SetChildOrder(Child, Order);
}

namespace {

using fw::TPersistent;
using fw::TPropInfo;

// Whether the item's action link supplies a property (then the link, not the stream, holds it).
template <typename Test>
auto NotLinked(Test test) {
  return [test](TPersistent* p) {
    TTBCustomItemActionLink* link = static_cast<TTBCustomItem*>(p)->ActionLink();
    return link == nullptr || !(link->*test)();
  };
}

TPropInfo OptionsProp(const char* Name, TTBItemOptions (TTBCustomItem::*Get)() const,
                      void (TTBCustomItem::*Set)(TTBItemOptions)) {
  return fw::FuncProp<TTBCustomItem, Integer>(
             Name, [Get](TTBCustomItem* i) { return Integer((i->*Get)().Bits()); },
             [Set](TTBCustomItem* i, Integer v) { (i->*Set)(TTBItemOptions::FromBits(uint64_t(uint16_t(v)))); })
      .Default(Integer(0));
}

std::vector<TPropInfo> OptionProperties() {
  using I = TTBCustomItem;
  return {fw::Prop("InheritOptions", &I::InheritOptions, &I::SetInheritOptions).Default(true),
          OptionsProp("MaskOptions", &I::MaskOptions, &I::SetMaskOptions),
          OptionsProp("Options", &I::Options, &I::SetOptions)};
}

}  // namespace

std::vector<TPropInfo> ButtonItemProperties() {
  using I = TTBCustomItem;
  using L = TTBCustomItemActionLink;
  std::vector<TPropInfo> props = {
      fw::Prop("Action", &I::Action, &I::SetAction),
      fw::Prop("AutoCheck", &I::AutoCheck, &I::SetAutoCheck).Default(false).Stored(NotLinked(&L::IsAutoCheckLinked)),
      fw::Prop("Caption", &I::Caption, &I::SetCaption).Stored(NotLinked(&L::IsCaptionLinked)),
      fw::Prop("Checked", &I::Checked, &I::SetChecked).Default(false).Stored(NotLinked(&L::IsCheckedLinked)),
      fw::Prop("DisplayMode", &I::DisplayMode, &I::SetDisplayMode)
          .Names({"nbdmDefault", "nbdmTextOnly", "nbdmTextOnlyInMenus", "nbdmImageAndText"})
          .Default(nbdmDefault),
      fw::Prop("Enabled", &I::Enabled, &I::SetEnabled).Default(true).Stored(NotLinked(&L::IsEnabledLinked)),
      fw::Prop("GroupIndex", &I::GroupIndex, &I::SetGroupIndex).Default(Integer(0)),
      fw::Prop("HelpContext", &I::HelpContext, &I::SetHelpContext)
          .Default(Integer(0))
          .Stored(NotLinked(&L::IsHelpContextLinked)),
      fw::Prop("Hint", &I::Hint, &I::SetHint).Stored(NotLinked(&L::IsHintLinked)),
      fw::Prop("ImageIndex", &I::ImageIndex, &I::SetImageIndex)
          .Default(Integer(-1))
          .Stored(NotLinked(&L::IsImageIndexLinked)),
      fw::Prop("Images", &I::Images, &I::SetImages),
      fw::Prop("ShortCut", &I::ShortCut, &I::SetShortCut).Default(Integer(0)).Stored(NotLinked(&L::IsShortCutLinked)),
      fw::Prop("Visible", &I::Visible, &I::SetVisible).Default(true).Stored(NotLinked(&L::IsVisibleLinked)),
      fw::EventProp("OnClick", &I::OnClick).Stored(NotLinked(&L::IsOnExecuteLinked)),
  };
  for (TPropInfo& p : OptionProperties()) props.push_back(std::move(p));
  return props;
}

// Where a dockable window sits, as a stream keeps it: on a dock (named, with its row and place),
// floating (at a place relative to the owner form) or on the form; a size only where neither the
// dock nor the floating frame decides it; the last dock only while not docked.
namespace {

void RegisterDockableWindowProperties() {
  using D = TTBCustomDockableWindow;
  auto notDocked = [](TPersistent* p) { return !static_cast<D*>(p)->Docked(); };
  auto ownSize = [](TPersistent* p) {
    auto* w = static_cast<D*>(p);
    return !w->Docked() && !w->Floating();
  };
  fw::RegisterProperties<TTBCustomDockableWindow>({
      fw::Prop("ActivateParent", &D::ActivateParent, &D::SetActivateParent).Default(true),
      fw::Prop("AutoResize", &D::AutoResize, &D::SetAutoResize).Default(true),
      fw::Prop("CloseButton", &D::CloseButton, &D::SetCloseButton).Default(true),
      fw::Prop("CloseButtonWhenDocked", &D::CloseButtonWhenDocked, &D::SetCloseButtonWhenDocked).Default(false),
      fw::FuncProp<D, TTBDock*>("CurrentDock", &D::CurrentDock, &D::SetStoredDock).Stored([](TPersistent* p) {
        return static_cast<D*>(p)->Docked();
      }),
      fw::Prop("DblClickUndock", &D::DblClickUndock, &D::SetDblClickUndock).Default(true),
      fw::Prop("DefaultDock", &D::DefaultDock, &D::SetDefaultDock),
      fw::Prop("DockMode", &D::DockMode, &D::SetDockMode)
          .Names({"dmCanFloat", "dmCannotFloat", "dmCannotFloatOrChangeDocks"})
          .Default(dmCanFloat),
      fw::Prop("DockPos", &D::DockPos, &D::SetDockPos).Default(Integer(-1)),
      fw::Prop("DockRow", &D::DockRow, &D::SetDockRow).Default(Integer(0)),
      fw::Prop("DragHandleStyle", &D::DragHandleStyle, &D::SetDragHandleStyle)
          .Names({"dhDouble", "dhNone", "dhSingle"})
          .Default(dhSingle),
      fw::FuncProp<D, bool>("Floating", &D::Floating, &D::SetStoredFloating).Default(false),
      fw::Prop("FloatingMode", &D::FloatingMode, &D::SetFloatingMode)
          .Names({"fmOnTopOfParentForm", "fmOnTopOfAllForms"})
          .Default(fmOnTopOfParentForm),
      fw::Prop("FullSize", &D::FullSize, &D::SetFullSize).Default(false),
      fw::Prop("HideWhenInactive", &D::HideWhenInactive, &D::SetHideWhenInactive).Default(true),
      fw::Prop("UseLastDock", &D::UseLastDock, &D::SetUseLastDock).Default(true),
      fw::Prop("LastDock", &D::LastDock, &D::SetLastDock).Stored(notDocked),
      fw::Prop("Resizable", &D::Resizable, &D::SetResizable).Default(true),
      fw::Prop("ShowCaption", &D::ShowCaption, &D::SetShowCaption).Default(true),
      fw::Prop("SmoothDrag", &D::SmoothDrag, &D::SetSmoothDrag).Default(true),
      fw::Prop("Stretch", &D::Stretch, &D::SetStretch).Default(false),
      fw::FuncProp<D, Integer>("Left", [](D* w) { return w->StoredPosition().x; }, &D::SetStoredLeft)
          .Stored(notDocked),
      fw::FuncProp<D, Integer>("Top", [](D* w) { return w->StoredPosition().y; }, &D::SetStoredTop)
          .Stored(notDocked),
      fw::FuncProp<D, Integer>("Width", &D::Width, &D::SetWidth).Stored(ownSize),
      fw::FuncProp<D, Integer>("Height", &D::Height, &D::SetHeight).Stored(ownSize),
  });
}

}  // namespace

void RegisterToolbarStreaming() {
  static bool done = false;
  if (done) return;
  done = true;
  using I = TTBCustomItem;

  fw::RegisterClass<TTBRootItem>();

  fw::RegisterClass<TTBGroupItem>();
  {
    std::vector<TPropInfo> props = OptionProperties();
    props.push_back(fw::Prop("LinkSubitems", &I::LinkSubitems, &I::SetLinkSubitems));
    fw::RegisterProperties<TTBGroupItem>(std::move(props));
  }

  fw::RegisterClass<TTBSeparatorItem>();
  fw::RegisterProperties<TTBSeparatorItem>({
      fw::Prop("Blank", &TTBSeparatorItem::Blank, &TTBSeparatorItem::SetBlank).Default(false),
      fw::Prop("Hint", &I::Hint, &I::SetHint),
      fw::Prop("Visible", &I::Visible, &I::SetVisible).Default(true),
  });

  fw::RegisterClass<TTBControlItem>();
  fw::RegisterProperties<TTBControlItem>({
      fw::Prop("Control", &TTBControlItem::Control, &TTBControlItem::SetControl),
      fw::Prop("DontFreeControl", &TTBControlItem::DontFreeControl, &TTBControlItem::SetDontFreeControl)
          .Default(false),
      fw::Prop("Visible", &I::Visible, &I::SetVisible).Default(true),
  });

  // The edit item: the button's properties and its own, each left to an edit action that
  // supplies it; the edit width is stored only when it is not 64.
  using E = TTBEditItem;
  auto editLink = [](TPersistent* p) { return dynamic_cast<TTBEditItemActionLink*>(static_cast<E*>(p)->ActionLink()); };
  fw::RegisterClass<TTBEditItem>();
  {
    std::vector<TPropInfo> props = ButtonItemProperties();
    props.push_back(fw::Prop("CharCase", &E::CharCase, &E::SetCharCase)
                        .Names({"ecNormal", "ecUpperCase", "ecLowerCase"})
                        .Default(fw::ecNormal));
    props.push_back(fw::Prop("EditCaption", &E::EditCaption, &E::SetEditCaption).Stored([editLink](TPersistent* p) {
      auto* l = editLink(p);
      return !l || !l->IsEditCaptionLinked();
    }));
    props.push_back(fw::FuncProp<E, Integer>(
                        "EditOptions", [](E* e) { return Integer(e->EditOptions().Bits()); },
                        [](E* e, Integer v) { e->SetEditOptions(TTBEditItemOptions::FromBits(uint64_t(uint8_t(v)))); })
                        .Default(Integer(0))
                        .Stored([editLink](TPersistent* p) {
                          auto* l = editLink(p);
                          return !l || !l->IsEditOptionsLinked();
                        }));
    props.push_back(fw::Prop("EditWidth", &E::EditWidth, &E::SetEditWidth)
                        .Default(Integer(64))
                        .Stored([editLink](TPersistent* p) {
                          auto* l = editLink(p);
                          return !l || !l->IsEditWidthLinked();
                        }));
    props.push_back(fw::Prop("MaxLength", &E::MaxLength, &E::SetMaxLength).Default(Integer(0)));
    props.push_back(fw::Prop("Text", &E::Text, static_cast<void (E::*)(const String&)>(&E::SetText))
                        .Stored([editLink](TPersistent* p) {
                          auto* l = editLink(p);
                          return !l || !l->IsTextLinked();
                        }));
    fw::RegisterProperties<TTBEditItem>(std::move(props));
  }

  // The toolbar: made with its items, chevron and view, as the themed toolbars are.
  fw::TPersistentClassInfo toolbar;
  toolbar.Name = fw::ClassNameOf(typeid(TTBCustomToolbar));
  toolbar.Type = &typeid(TTBCustomToolbar);
  toolbar.Create = [](fw::TComponent* Owner) -> fw::TPersistent* {
    auto* t = new TTBCustomToolbar(Owner);
    t->AfterConstruction();
    return t;
  };
  fw::RegisterClassInfo(std::move(toolbar));
  RegisterDockableWindowProperties();
  using T = TTBCustomToolbar;
  fw::RegisterProperties<TTBCustomToolbar, TTBCustomDockableWindow>({
      fw::Prop("ChevronHint", &T::ChevronHint, &T::SetChevronHint).Default(String(TTBChevronItem::DefaultHint)),
      fw::Prop("ChevronMoveItems", &T::ChevronMoveItems, &T::SetChevronMoveItems).Default(true),
      fw::Prop("ChevronPriorityForNewItems", &T::ChevronPriorityForNewItems, &T::SetChevronPriorityForNewItems)
          .Names({"tbcpHighest", "tbcpLowest"})
          .Default(tbcpHighest),
      fw::Prop("Images", &T::Images, &T::SetImages),
      // The root item's: the items shown in place of the bar's own, and its options.
      fw::FuncProp<T, TTBCustomItem*>(
          "LinkSubitems", [](T* t) { return t->Items()->LinkSubitems(); },
          [](T* t, TTBCustomItem* v) { t->Items()->SetLinkSubitems(v); }),
      fw::FuncProp<T, Integer>(
          "Options", [](T* t) { return Integer(t->Items()->Options().Bits()); },
          [](T* t, Integer v) { t->Items()->SetOptions(TTBItemOptions::FromBits(uint64_t(uint16_t(v)))); })
          .Default(Integer(0)),
      fw::Prop("MenuBar", &T::MenuBar, &T::SetMenuBar).Default(false),
      fw::Prop("ProcessShortCuts", &T::ProcessShortCuts, &T::SetProcessShortCuts).Default(false),
      fw::Prop("ShrinkMode", &T::ShrinkMode, &T::SetShrinkMode)
          .Names({"tbsmNone", "tbsmWrap", "tbsmChevron"})
          .Default(tbsmChevron),
      fw::Prop("SystemFont", &T::SystemFont, &T::SetSystemFont).Default(true),
      fw::Prop("UpdateActions", &T::UpdateActions, &T::SetUpdateActions).Default(true),
  });
}

}  // namespace toolbars
