// Evaluation of the VSOP87 series of one body at one or more moments.
// Internal to src/ephemeris; GetPlanetPositionLBR (planets.h) is the
// interface of the rest of the program.
#pragma once

#include "ephemeris/ephemeris_tables.h"
#include "ephemeris/planets.h"

// The most terms of one body (Saturn, version D).
constexpr int kMaxVsopTerms = 632;

// The position of a body at tau, every term A cos(B + C tau) evaluated.
void VsopEvaluate(const VsopBody& body, double tau, HeliocentricLBR* pLBR);

// A body's series at one moment, with the sine and cosine of every term's
// argument kept, so that moments nearby cost an angle addition per term
// instead of a cosine.
struct VsopBase {
  int iBody;  // body code of version D
  double tau;
  HeliocentricLBR lbr;  // the position at tau
  double dSin[kMaxVsopTerms];
  double dCos[kMaxVsopTerms];
};

// Evaluates body iBody of version D (1..8) at tau into *pBase (pBase->lbr
// is the position).
void VsopEvaluateBase(int iBody, double tau, VsopBase* pBase);

// The position of the base's body at tau, the same as VsopEvaluate gives:
// by angle addition from the base where every term's argument is within
// 0.01 radian of the base's (the light time and the motion steps of the
// planets), else term by term.
void VsopEvaluateNear(const VsopBase& base, double tau, HeliocentricLBR* pLBR);
