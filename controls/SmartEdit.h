#pragma once
// An edit box that takes only the characters its mask admits and, once linked to a slider,
// keeps a number inside a range: leaving the box pulls an out-of-range number back to the
// nearest bound and moves the slider to it.

#include "platform/Windows.h"

class CLinkSlider;

// Character classes of a typed character; a character is taken when its class and the mask
// share a bit. The masks the pages use are built from these bits.
inline constexpr WORD SMARTEDIT_CLASS_CONTROL = 0xFFFF;
inline constexpr WORD SMARTEDIT_CLASS_DIGIT = 0x55;
inline constexpr WORD SMARTEDIT_CLASS_E = 0x46;
inline constexpr WORD SMARTEDIT_CLASS_HEXLETTER = 0x42;
inline constexpr WORD SMARTEDIT_CLASS_LETTER = 0x02;
inline constexpr WORD SMARTEDIT_CLASS_MINUS = 0x14;
inline constexpr WORD SMARTEDIT_CLASS_POINT = 0x04;
inline constexpr WORD SMARTEDIT_CLASS_UNDERSCORE = 0x28;
inline constexpr WORD SMARTEDIT_CLASS_OTHER = 0x08;

inline constexpr WORD SMARTEDIT_MASK_ALL = 0xFFFF;
inline constexpr WORD SMARTEDIT_MASK_UNSIGNED = 0x01;
inline constexpr WORD SMARTEDIT_MASK_SIGNED = 0x11;
inline constexpr WORD SMARTEDIT_MASK_HEX = 0x40;

class CSmartEdit : public CEdit
{
    DECLARE_DYNAMIC(CSmartEdit)
public:
    CSmartEdit();

    // The class bits of a character code (only ASCII letters and digits count as such).
    static WORD CharClass(UINT nChar);
    // The leading decimal integer of a text (blanks and one sign allowed before it), 0 when
    // there is none; a number too large for 32 bits reads as INT_MAX or INT_MIN.
    static int ReadLeadingInt(LPCSTR lpszText);

    void SetCharMask(WORD wMask);
    WORD GetCharMask() const { return m_wCharMask; }
    // Stores the range, ranges the linked slider, and sets the mask to digits (with the minus
    // sign when the minimum is negative).
    BOOL SetRange(int nMin, int nMax, int nLineSize, int nPageSize);
    // Links the slider with this id among pParent's children, when it is a CLinkSlider.
    void AttachSlider(CWnd* pParent, UINT nSliderID);
    BOOL SyncSlider(int nLineSize, int nPageSize);
    // FALSE (nothing written) when nValue is the value stored last.
    BOOL SetValue(int nValue);
    // FALSE when nValue is outside the range; the stored value is left alone.
    BOOL SetValueChecked(int nValue);

    CLinkSlider* GetLinkedSlider() const { return m_pSlider; }
    int GetMin() const { return m_nMin; }
    int GetMax() const { return m_nMax; }
    int GetValue() const { return m_nValue; }

    // A typed character the mask does not admit.
    virtual void OnBadInput();

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus();
    DECLARE_MESSAGE_MAP()

    WORD m_wCharMask;
    CLinkSlider* m_pSlider; // not owned
    int m_nMin;
    int m_nMax;
    int m_nValue; // INT_MIN: nothing written yet
};
