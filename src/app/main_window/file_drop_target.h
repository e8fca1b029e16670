#pragma once
// Files dragged onto the main window: a picture or a photo (see opened_file_kind.h) is accepted
// while it is dragged and opened through the document flows once dropped; anything else is
// refused on entering and on every move, so the drop cursor says no before it lands.

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;
class TDocumentFlows;

class TFileDropTarget : public QObject {
 public:
  // Installs itself on `window` and makes it accept drops; `flows` must outlive it.
  TFileDropTarget(QWidget& window, TDocumentFlows& flows);

  // The local file a drag carries (its first) when the editor opens that kind; empty otherwise.
  static QString OpenableFile(const QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TDocumentFlows& m_flows;
};
