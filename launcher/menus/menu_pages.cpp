#include "launcher/menus/menu_pages.h"

void MenuPages::SetCurrent(int index, int total) {
  m_total = total > 0 ? total : 0;
  // A hand-edited negative index is treated like one beyond the menus.
  if (index < 0 || index >= m_total) index = 0;
  m_current = m_focus = index;
  TurnTo(index);
}

void MenuPages::PreviousPage() {
  m_first -= m_perPage;
  if (m_first < 0) m_first = 0;
}

void MenuPages::NextPage() {
  if (m_first + m_perPage < m_total) m_first += m_perPage;
}

int MenuPages::Choose(int k) {
  int index = m_first + k;
  if (k < 0 || k >= m_perPage || index >= m_total) return -1;
  m_current = m_focus = index;
  return index;
}

bool MenuPages::SelectPrevious() {
  if (m_current <= 0) return false;
  m_focus = --m_current;
  TurnTo(m_current);
  return true;
}

bool MenuPages::SelectNext() {
  if (m_current + 1 >= m_total) return false;
  m_focus = ++m_current;
  TurnTo(m_current);
  return true;
}

bool MenuPages::MoveFocus(int by) {
  if (m_total == 0) return false;
  int to = m_focus + by;
  to = to < 0 ? 0 : to >= m_total ? m_total - 1 : to;
  if (to == m_focus) return false;
  m_focus = to;
  TurnTo(to);
  return true;
}
