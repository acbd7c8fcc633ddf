// What the tests of the data-entry rules share: the texts of a time-and-name
// form as a user who changes nothing sends them back.
#pragma once

#include <cstring>

#include "entry/entry_rules.h"

inline TimeEntryTexts TextsOfForm(const TimeEntryForm& form) {
  TimeEntryTexts t{};
  const auto copy = [&](char* szTo, size_t cbTo, int iField) {
    const size_t n = strnlen(form.szText[iField], cbTo - 1);
    memcpy(szTo, form.szText[iField], n);
    szTo[n] = '\0';
  };
  copy(t.szYear, sizeof t.szYear, kFieldYear);
  copy(t.szMonth, sizeof t.szMonth, kFieldMonth);
  copy(t.szDay, sizeof t.szDay, kFieldDay);
  copy(t.szHour, sizeof t.szHour, kFieldHour);
  copy(t.szMinute, sizeof t.szMinute, kFieldMinute);
  copy(t.szSeconds, sizeof t.szSeconds, kFieldSeconds);
  copy(t.szName, sizeof t.szName, kFieldName);
  return t;
}
