#include "app/main_window/colors_preview_panel.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/color/color_panel.h"
#include "app/widgets/kel_image.h"

namespace {
constexpr int kSplitterWidth = 5;
constexpr int kSplitterMinimum = 5;
constexpr const char* kPreviewHint = "Click to Preview";
}  // namespace

TColorsPreviewPanel::TColorsPreviewPanel(TViewState& view, QWidget* parent)
    : TRollUpPanel(QStringLiteral("Colors & Preview"), parent),
      m_cPanel(new TColorPanel(view)),
      m_splitter(new QSplitter(Qt::Vertical, Client())),
      m_pnPrev(new QWidget),
      m_pPanel(new QScrollArea(m_pnPrev)),
      m_previewContent(new QWidget) {
  setObjectName(QStringLiteral("Panel4"));
  SetExpandedWidth(kDesignWidth);
  auto* clientLayout = new QVBoxLayout(Client());
  clientLayout->setContentsMargins(0, 0, 0, 0);
  clientLayout->addWidget(m_splitter);

  m_splitter->setObjectName(QStringLiteral("Splitter2"));
  m_splitter->setHandleWidth(kSplitterWidth);
  m_splitter->setChildrenCollapsible(false);
  m_cPanel->setMinimumHeight(kSplitterMinimum);
  m_pnPrev->setObjectName(QStringLiteral("pnPrev"));
  m_pnPrev->setMinimumHeight(kSplitterMinimum);
  m_splitter->addWidget(m_cPanel);
  m_splitter->addWidget(m_pnPrev);
  m_splitter->setStretchFactor(0, 0);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setSizes({TColorPanel::kDesignHeight, TColorPanel::kDesignHeight});
  connect(m_splitter, &QSplitter::splitterMoved, this, &TColorsPreviewPanel::Splitter2Moved);

  auto* prevLayout = new QVBoxLayout(m_pnPrev);
  prevLayout->setContentsMargins(0, 0, 0, 0);
  prevLayout->addWidget(m_pPanel);
  m_pPanel->setObjectName(QStringLiteral("PPanel"));
  m_pPanel->setWidget(m_previewContent);
  m_pPanel->setWidgetResizable(false);
  m_pPanel->viewport()->installEventFilter(this);

  m_preview1 = new TKelImage(m_previewContent);
  m_preview1->setObjectName(QStringLiteral("Preview1"));
  m_preview2 = new TKelImage(m_previewContent);
  m_preview2->setObjectName(QStringLiteral("Preview2"));
  for (TKelImage* preview : {m_preview1, m_preview2}) {
    preview->setToolTip(QString::fromLatin1(kPreviewHint));
    preview->SetAutoSize(true);
    preview->hide();
  }
}

void TColorsPreviewPanel::PlacePreviews() {
  m_preview1->PictureChanged();
  m_preview2->PictureChanged();
  const QSize image = m_preview1->size();
  const QSize panel = m_pPanel->viewport()->size();
  const int left = panel.width() >= image.width() ? (panel.width() - image.width()) / 2 : 0;
  const int top = panel.height() >= image.height() ? (panel.height() - image.height()) / 2 : 0;
  m_previewContent->resize(image.expandedTo(panel));
  m_preview1->move(left, top);
  m_preview2->move(left, top);
}

void TColorsPreviewPanel::ResetPreviewOrigin() {
  m_pPanel->horizontalScrollBar()->setValue(0);
  m_pPanel->verticalScrollBar()->setValue(0);
  m_preview1->move(0, 0);
  m_preview2->move(0, 0);
}

bool TColorsPreviewPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pPanel->viewport() && event->type() == QEvent::Resize) emit PPanelResize();
  return TRollUpPanel::eventFilter(watched, event);
}
