#include "app/skin/skin_data.h"

#include <QApplication>
#include <QResource>

SkinData::SkinData(QObject* parent) : QObject(parent) {}

SkinData::~SkinData() { ReleaseResource(); }

void SkinData::Apply(const SkinDescription& skin, QByteArray resourceBytes,
                     const QString& resourceRoot) {
  // The old resource goes only after the sheet that named it is gone.
  QByteArray previousBytes = std::move(m_resourceBytes);
  const QString previousRoot = m_resourceRoot;
  m_resourceBytes = std::move(resourceBytes);
  m_resourceRoot = resourceRoot;
  m_skin = skin;
  m_active = true;
  qApp->setStyleSheet(skin.styleSheet);
  if (!previousBytes.isEmpty())
    QResource::unregisterResource(reinterpret_cast<const uchar*>(previousBytes.constData()),
                                  previousRoot);
  emit SkinChanged();
}

void SkinData::SwitchOff() {
  m_skin = SkinDescription{};
  m_active = false;
  qApp->setStyleSheet(QString());
  ReleaseResource();
  emit SkinChanged();
}

void SkinData::ReleaseResource() {
  if (m_resourceBytes.isEmpty()) return;
  QResource::unregisterResource(reinterpret_cast<const uchar*>(m_resourceBytes.constData()),
                                m_resourceRoot);
  m_resourceBytes.clear();
  m_resourceRoot.clear();
}
