implementation
procedure TForm1.Go(Sender: TObject);
var i: integer; // counter
begin
  i := 0;
  while i < 10 do
  begin
    Inc(i);
  end;
  if i = 10 then ShowMessage('done') else Beep;
end;
end.
