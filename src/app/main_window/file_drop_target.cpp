#include "app/main_window/file_drop_target.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

#include "app/editor/document_flows.h"
#include "app/editor/opened_file_kind.h"

TFileDropTarget::TFileDropTarget(QWidget& window, TDocumentFlows& flows)
    : QObject(&window), m_flows(flows) {
  window.setAcceptDrops(true);
  window.installEventFilter(this);
}

QString TFileDropTarget::OpenableFile(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return {};
  const QString path = urls.first().toLocalFile();
  return KindOfOpenedFile(path) == OpenedFileKind::Other ? QString() : path;
}

bool TFileDropTarget::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
    return QObject::eventFilter(watched, event);
  auto* drop = static_cast<QDropEvent*>(event);
  const QString path = OpenableFile(*drop->mimeData());
  if (path.isEmpty()) {
    drop->ignore();
    return true;
  }
  drop->acceptProposedAction();
  // The drag source waits for the drop to end: the prompts and dialogs of opening come after.
  if (type == QEvent::Drop) QTimer::singleShot(0, this, [this, path] { m_flows.OpenFile(path); });
  return true;
}
