// The mistakes window after a Graded Quiz: the missed questions with their answers in a
// read-only box, "Repeat Mistakes" (the default button) and Close (also Escape).
#pragma once

#include <QPointer>
#include <string>

#include "framework/template_dialog.h"
#include "quiz/mistakes.h"

class TextBox;

class MistakesDialog : public TemplateDialog {
    Q_OBJECT
  public:
    MistakesDialog(const std::string& listing, QWidget* owner);
    TextBox* List() const;
};

class QtMistakesScreen : public MistakesScreen {
  public:
    explicit QtMistakesScreen(QWidget* mainWindow) : mainWindow(mainWindow) {}
    bool ShowMistakes(const std::string& listing) override;

  private:
    QPointer<QWidget> mainWindow;
};
