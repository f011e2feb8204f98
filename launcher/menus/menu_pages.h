// Paging of the menu column: which menus the buttons show, which one is current, and what the
// page buttons and keys do. No window involved.
#pragma once

class MenuPages {
 public:
  static constexpr int kMaxPerPage = 8;

  // A count outside 1..8 from the theme counts as 8.
  void SetPerPage(int perPage) { m_perPage = (perPage >= 1 && perPage <= kMaxPerPage) ? perPage : kMaxPerPage; }
  int PerPage() const { return m_perPage; }

  // Makes index current (an index outside the menus becomes 0) and turns to its page.
  void SetCurrent(int index, int total);
  void PreviousPage();
  void NextPage();
  // The menu a click on button k chooses, or -1 when that button shows none.
  int Choose(int k);
  // Moves the current menu by one, turning the page with it; false at either end.
  bool SelectPrevious();
  bool SelectNext();

  // The keyboard's focus, apart from the current menu until Enter: it starts on the current
  // menu when that is on the page shown, else on the page's first, and turns the page with it.
  void StartFocus() { m_focus = CurrentOnPage() ? m_current : m_first; }
  bool MoveFocus(int by);  // false when it stays
  int Focus() const { return m_focus < m_total ? m_focus : -1; }

  int First() const { return m_first; }
  int Current() const { return m_current; }
  int Total() const { return m_total; }
  int MenuOf(int k) const { return m_first + k; }
  bool ButtonShown(int k) const { return k < m_perPage && m_first + k < m_total; }
  bool IsCurrentButton(int k) const { return m_first + k == m_current; }
  bool CurrentOnPage() const { return m_first <= m_current && m_current < m_first + m_perPage; }
  bool PreviousEnabled() const { return m_first > 0; }
  bool NextEnabled() const { return m_first + m_perPage < m_total; }

 private:
  void TurnTo(int index) { m_first = m_perPage * (index / m_perPage); }

  int m_perPage = kMaxPerPage;
  int m_total = 0, m_first = 0, m_current = 0, m_focus = 0;
};
