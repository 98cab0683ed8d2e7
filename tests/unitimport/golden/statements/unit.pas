unit Shapes;

interface

procedure Loops(n: integer);

implementation

uses SysUtils;

procedure Loops(n: integer);
var i: integer;
begin
  for i := 1 to n do Total := Total + i;
  for i := n downto 1 do
  begin
    Dec(Total);
  end;
  repeat
    Dec(n);
  until n <= 0;
  while n < 10 do n := n + 2;
end;

function Pick(k: integer): string;
begin
  case k of
    0: Result := 'zero';
    1, 2: begin Result := 'few'; Beep; end;
  else
    Result := 'many';
  end;
  with Data do Count := k;
  if k > 0 then
    if k > 5 then Result := Result + '!'
    else Result := Result + '?';
end;

procedure Pick(s: string); overload;
begin
  Pick(Length(s));
end;

procedure Bad;
begin
  until x;
end;

procedure Guarded;
begin
  try
    Work;
  finally
    Done;
  end;
end;

function ceil (x : float) : float;
begin
  ceil := x;
end;

end.
