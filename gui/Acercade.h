// The about box: the program's icon, name, version, author and group, and an Aceptar button
// that Enter presses.
#pragma once

#include <QDialog>

class TFrAcerca : public QDialog {
  Q_OBJECT

 public:
  explicit TFrAcerca(QWidget* padre = nullptr);

 private:
  void OKButtonClick();
};
