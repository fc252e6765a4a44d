// CStartMenuDlg: lets the user choose the start-menu folder that receives
// the program group's shortcuts, and creates it.
#pragma once
#include "framework/afxwin.h"
#include "setup/resources/resource.h"

class CInstallFeedback;
class CSetupData;

class CStartMenuDlg : public CDialog
{
public:
  explicit CStartMenuDlg(CWnd* pParent = NULL);
  ~CStartMenuDlg() override;

  enum
  {
    IDD = IDD_STARTMENU
  };

  // Inputs, set before DoModal: the script's values (the application's
  // name, the language), and where the dialog's refusals go.
  const CSetupData* m_pSetup;
  CInstallFeedback* m_pFeedback;

  CString m_strCurDir;
  CString m_strProgramsDir;
  CString m_strFolder;
  // Whether the accepted OK made m_strFolder itself (not found it there).
  bool m_bMadeFolder;
  CListBox m_folderList;
  int m_nScope;
  CString m_strText;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  void OnDblclkFolderList();
  void OnSelchangeScope();
  void FillFolderList(const char* lpszFolder);
  void ShowProgramsRoot();

  DECLARE_MESSAGE_MAP()

private:
  void SetTexts();
  // Reads the Programs folder of m_nScope. When it cannot be read, the
  // folder shown before stays, and so does the scope it belongs to.
  void ReadProgramsDir(int nPrevScope);
  void ShowError(const char* lpszText);
  const char* AppName() const;
};
