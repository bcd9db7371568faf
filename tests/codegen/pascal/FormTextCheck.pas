{ Reads each form text file named on the command line with the Classes unit's own form-text
  reader (ObjectTextToBinary) and prints OK or FAIL with the reader's message, one line per file. }
program FormTextCheck;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  i: Integer;
  src: TFileStream;
  dst: TMemoryStream;
begin
  ExitCode := 0;
  for i := 1 to ParamCount do
  begin
    src := nil;
    dst := nil;
    try
      try
        src := TFileStream.Create(ParamStr(i), fmOpenRead or fmShareDenyNone);
        dst := TMemoryStream.Create;
        ObjectTextToBinary(src, dst);
        WriteLn('OK ', ParamStr(i));
      except
        on E: Exception do
        begin
          WriteLn('FAIL ', ParamStr(i), ': ', E.Message);
          ExitCode := 1;
        end;
      end;
    finally
      src.Free;
      dst.Free;
    end;
  end;
end.
