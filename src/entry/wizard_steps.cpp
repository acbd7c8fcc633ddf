// The steps of the default-person wizard and its texts.
#include <cstdio>
#include <cstring>

#include "entry/entry_rules.h"
#include "readings/help_texts.h"
#include "time/timescale.h"

namespace {

int Clamp(int n, int cbOut) { return n < 0 ? 0 : (n < cbOut ? n : cbOut - 1); }

}  // namespace

WizardAction WizardStepAction(int iStep) {
  switch (iStep) {
    case kWizardStart: return kWizardActionAskReplace;
    case kWizardIntro: return kWizardActionNone;
    case kWizardTimeName: return kWizardActionTimeName;
    case kWizardBirthPlace: return kWizardActionBirthPlace;
    case kWizardNowPlace: return kWizardActionNowPlace;
    case kWizardFinish: return kWizardActionFinish;
    default: return kWizardActionEnd;
  }
}

const char* WizardPageText(int iStep, bool* pbBackEnabled) {
  *pbBackEnabled = true;
  switch (iStep) {
    case kWizardStart: *pbBackEnabled = false; return kWizardIntroPage;
    case kWizardIntro: *pbBackEnabled = false; return kWizardTimeNamePage;
    case kWizardTimeName: return kWizardBirthPlacePage;
    case kWizardBirthPlace: return kWizardCurrentPlacePage;
    default: return nullptr;
  }
}

int WizardReplaceQuestion(const BirthRecord& person, char* szOut, int cbOut) {
  return Clamp(snprintf(szOut, cbOut, kWizardReplaceQuestion, person.szName, TimeToStr(&person.time),
                        person.szBirthPlace, person.szCurrentPlace),
               cbOut);
}

int WizardConfirmPage(const BirthRecord& person, const char* szNowPlace, char* szOut, int cbOut) {
  return Clamp(snprintf(szOut, cbOut, kWizardConfirmPage, person.szName, TimeToStr(&person.time),
                        person.szBirthPlace, szNowPlace),
               cbOut);
}

int FinishDefaultPerson(SystemIniInf* pSii, BirthTable* pTable, FileState* pFiles, const BirthRecord& nowPlace) {
  BirthRecord& person = pSii->defaultData;
  memcpy(person.szCurrentPlace, nowPlace.szBirthPlace, sizeof person.szCurrentPlace);
  person.szCurrentPlace[sizeof person.szCurrentPlace - 1] = '\0';
  person.dCurrentLat = nowPlace.dBirthLat;
  person.dCurrentLong = nowPlace.dBirthLong;
  person.iMarker = 1;
  person.dwMagic = kRecordMagic;
  pSii->bFlags |= kSiiFlagDefaultPerson;
  const int iAppended = pTable ? FileNewRow(&person, pTable, pSii, pFiles) : 0;
  person.iDataNo = kDataNoNewDefault;
  return iAppended > 0 ? 1 : 0;
}
