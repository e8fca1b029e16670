#pragma once
// The small borderless "Please Wait..." window shown while the editor starts and while a skin
// is applied. Its message label `Mess` is centred horizontally each time the window is shown.

#include <QWidget>

class QLabel;

inline constexpr const char* kWaitLoadingText = "Loading. Please Wait.";
inline constexpr const char* kWaitSkinText = "Please Wait. Skin Applying.";

class TWait : public QWidget {
  Q_OBJECT

 public:
  explicit TWait(QWidget* parent = nullptr);

  void SetMessage(const QString& text);
  QString Message() const;
  // Shows the window centred on the desktop and paints it before returning.
  void ShowAndPaint();

  QLabel* Mess() const { return m_mess; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void FormActivate();
  void CenterOnDesktop();

  QLabel* m_mess;
};
