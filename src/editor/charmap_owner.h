// What the Character Map needs of the dialog it belongs to: where a chosen character goes,
// and the window it opens beside and hands the focus back to. The map knows nothing else
// of its owner, so the owner may include the map and not the other way round.
#pragma once

class QWidget;
class TemplateDialog;

class CharMapOwner {
  public:
    // The owner's dialog: the map's parent, the window it opens beside, the one that gets
    // the keyboard focus back when the map closes.
    virtual TemplateDialog* MapOwnerDialog() = 0;
    // One character chosen in the map; the owner decides where it goes.
    virtual void InsertChar(unsigned char c) = 0;
    // The control that gets the focus back, if any.
    virtual QWidget* FocusAtMapOpen() const = 0;

  protected:
    ~CharMapOwner() = default;
};
