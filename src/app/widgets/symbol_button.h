#pragma once
// A small tool button that draws its own symbol, an arrow or a cross, in the current skin's
// button text colour and scaled to the button: the style's own arrows are faint or missing
// under some skins, and a text "x" is clipped in a small button.

#include <QToolButton>

class TSymbolButton : public QToolButton {
  Q_OBJECT

 public:
  enum class Symbol { Left, Right, Up, Down, Cross };

  explicit TSymbolButton(Symbol symbol, QWidget* parent = nullptr);

  void SetSymbol(Symbol symbol);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Symbol m_symbol;
};
